#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "actions/display_mode_action.h"
#include "actions/display_mode_text.h"
#include "actions/resolution_menu.h"
#include "actions/restore_countdown.h"
#include "fakes/simulated_display.h"

namespace dpx {
namespace {

const DisplayMode kVga{640, 480, 32, 60};
const DisplayMode kSvga{800, 600, 16, 120};
const DisplayMode kXga{1024, 768, 32, 60};
const DisplayMode kFullHd{1920, 1080, 32, 60};

class ScriptedDialog final : public ModeTestDialog {
 public:
  std::function<void()> whileShown;
  int shown = 0;
  void ShowModal() override {
    ++shown;
    if (whileShown) whileShown();
  }
};

class DisplayModeActionTest : public ::testing::Test {
 protected:
  fakes::SimulatedDisplay display{{kVga, kSvga, kXga, kFullHd}, kFullHd};
  Options options;
  DisplayModeAction action{display, options};
};

TEST_F(DisplayModeActionTest, ModeTextNamesSizeDepthAndFrequency) {
  EXPECT_EQ(action.DisplayModeText(1), L"800x600x16 @ 120 Hz");
  EXPECT_EQ(action.DisplayModeText(3), L"1920x1080x32 @ 60 Hz");
  for (int missing : {4, 1000, -1, -2})
    EXPECT_EQ(action.DisplayModeText(missing), kNoDisplayModeText);
}

TEST_F(DisplayModeActionTest, CurrentModeIndexIsTheFirstEqualListedMode) {
  EXPECT_EQ(action.CurrentModeIndex(), 3);

  fakes::SimulatedDisplay twice{{kVga, kXga, kXga}, kXga};
  EXPECT_EQ(DisplayModeAction(twice, options).CurrentModeIndex(), 1);

  // A mode in force that the list does not have (a rate the driver set by itself).
  display.SetCurrent({1920, 1080, 32, 59});
  EXPECT_EQ(action.CurrentModeIndex(), kNoModeNumber);
  EXPECT_EQ(action.DisplayModeText(action.CurrentModeIndex()), kNoDisplayModeText);
}

TEST_F(DisplayModeActionTest, HideSwitchesToTheSelectedModeAndRestoreSwitchesBack) {
  options.switchResolution = true;
  options.resolution = 2;
  action.SwitchToSelectedMode();
  EXPECT_EQ(display.current(), kXga);
  action.RestoreDisplayMode();
  EXPECT_EQ(display.current(), kFullHd);
  EXPECT_EQ(display.changes(), (std::vector<DisplayMode>{kXga, kFullHd}));
}

TEST_F(DisplayModeActionTest, TheJournalGetsTheSettingsOnlyWhileASwitchIsToBeUndone) {
  options.switchResolution = true;
  options.resolution = 2;
  EXPECT_FALSE(action.SettingsToPutBack());
  action.SwitchToSelectedMode();
  const auto remembered = action.SettingsToPutBack();
  ASSERT_TRUE(remembered);
  EXPECT_EQ(remembered->mode, kFullHd);
  action.RestoreDisplayMode();
  EXPECT_FALSE(action.SettingsToPutBack());

  // A new run puts back what the dead one remembered.
  display.SetCurrent(kXga);
  action.PutBackDisplaySettings(*remembered);
  EXPECT_EQ(display.current(), kFullHd);
}

TEST_F(DisplayModeActionTest, SwitchDisplayResolutionDecidesAtHideAndAtRestore) {
  struct Case {
    const char* name;
    bool atHide;
    bool atRestore;
    std::vector<DisplayMode> changes;
  };
  const Case cases[] = {
      {"cleared throughout", false, false, {}},
      {"cleared during hide mode", true, false, {kXga}},
      // No remembered record of this hide: no all-zero record is applied.
      {"checked only during hide mode", false, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::SimulatedDisplay screen{{kVga, kSvga, kXga, kFullHd}, kFullHd};
    Options opts;
    opts.resolution = 2;
    DisplayModeAction modes(screen, opts);
    opts.switchResolution = c.atHide;
    modes.SwitchToSelectedMode();
    opts.switchResolution = c.atRestore;
    modes.RestoreDisplayMode();
    EXPECT_EQ(screen.changes(), c.changes);
  }
}

TEST_F(DisplayModeActionTest, RestoreUsesOnlyTheRecordOfItsOwnHide) {
  options.switchResolution = true;
  options.resolution = 0;
  action.SwitchToSelectedMode();
  action.RestoreDisplayMode();
  options.switchResolution = false;
  action.SwitchToSelectedMode();
  display.SetCurrent(kSvga);  // the user picks another mode while hidden
  options.switchResolution = true;
  action.RestoreDisplayMode();
  EXPECT_EQ(display.current(), kSvga) << "the first hide's record is not applied again";
}

TEST_F(DisplayModeActionTest, ASelectedNumberNamingNoModeSkipsTheSwitch) {
  options.switchResolution = true;
  for (int missing : {4, -1, -2}) {
    SCOPED_TRACE(missing);
    options.resolution = missing;
    action.SwitchToSelectedMode();
    action.RestoreDisplayMode();
    ScriptedDialog dialog;
    EXPECT_FALSE(action.TestSelectedMode(dialog));
    EXPECT_EQ(dialog.shown, 0);
    EXPECT_TRUE(display.changes().empty());
  }
}

TEST_F(DisplayModeActionTest, ARefusedSwitchIsStillUndoneAtRestore) {
  options.switchResolution = true;
  options.resolution = 0;
  display.RefuseChanges(true);
  action.SwitchToSelectedMode();
  display.RefuseChanges(false);
  action.RestoreDisplayMode();
  EXPECT_EQ(display.current(), kFullHd);
}

TEST_F(DisplayModeActionTest, TheTestShowsTheSelectedModeAndAlwaysSwitchesBack) {
  options.resolution = 1;  // the box does not matter to the test
  ScriptedDialog dialog;
  DisplayMode whileShown;
  dialog.whileShown = [&] { whileShown = display.current(); };
  EXPECT_TRUE(action.TestSelectedMode(dialog));
  EXPECT_EQ(whileShown, kSvga);
  EXPECT_EQ(display.current(), kFullHd);

  // A refused switch still shows the dialog and still switches back.
  display.RefuseChanges(true);
  EXPECT_TRUE(action.TestSelectedMode(dialog));
  EXPECT_EQ(dialog.shown, 2);

  display.RefuseChanges(false);
  dialog.whileShown = [] { throw std::runtime_error("dialog failed"); };
  EXPECT_THROW(action.TestSelectedMode(dialog), std::runtime_error);
  EXPECT_EQ(display.current(), kFullHd);
}

TEST(ResolutionMenuTest, SizesNewestFirstDepthsAndRatesInEnumerationOrder) {
  // The list the switch uses, in another order than the raw one.
  fakes::SimulatedDisplay display{{
                                      {1024, 768, 32, 60},  // 0
                                      {800, 600, 32, 75},   // 1
                                      {640, 480, 32, 75},   // 2
                                      {640, 480, 16, 60},   // 3
                                      {640, 480, 32, 60},   // 4
                                  },
                                  kVga};
  display.SetRawModes({
      {640, 480, 32, 60},   // 4
      {640, 480, 16, 60},   // 3
      {800, 600, 32, 1},    // the hardware's default rate, not listed
      {800, 600, 32, 75},   // 1
      {640, 480, 32, 75},   // 2
      {1024, 768, 32, 60},  // 0
      {1024, 768, 32, 60},  // 0: the same mode again gets its own item
  });
  const ResolutionMenu menu = BuildResolutionMenu(display);

  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[0].caption, L"1024x768");
  EXPECT_EQ(menu[1].caption, L"800x600");
  EXPECT_EQ(menu[2].caption, L"640x480");

  ASSERT_EQ(menu[2].depths.size(), 2u);
  EXPECT_EQ(menu[2].depths[0].caption, L"32 bits");
  EXPECT_EQ(menu[2].depths[1].caption, L"16 bits");
  ASSERT_EQ(menu[2].depths[0].frequencies.size(), 2u);
  EXPECT_EQ(menu[2].depths[0].frequencies[0].caption, L"60 Hz");
  EXPECT_EQ(menu[2].depths[0].frequencies[0].modeNumber, 4);
  EXPECT_EQ(menu[2].depths[0].frequencies[1].caption, L"75 Hz");
  EXPECT_EQ(menu[2].depths[0].frequencies[1].modeNumber, 2);
  EXPECT_EQ(menu[2].depths[1].frequencies[0].modeNumber, 3);

  ASSERT_EQ(menu[1].depths.size(), 1u);
  ASSERT_EQ(menu[1].depths[0].frequencies.size(), 1u);
  EXPECT_EQ(menu[1].depths[0].frequencies[0].modeNumber, 1);

  ASSERT_EQ(menu[0].depths[0].frequencies.size(), 2u);
  EXPECT_EQ(menu[0].depths[0].frequencies[0].caption, L"60 Hz");
  EXPECT_EQ(menu[0].depths[0].frequencies[1].caption, L"60 Hz");
  EXPECT_EQ(menu[0].depths[0].frequencies[0].modeNumber, 0);
  EXPECT_EQ(menu[0].depths[0].frequencies[1].modeNumber, 0);
}

// The number an item carries is the one the hide switches with: picking a mode switches to it.
TEST(ResolutionMenuTest, APickedModeIsTheModeTheSwitchPutsInForce) {
  fakes::SimulatedDisplay display{{kFullHd, {1280, 720, 32, 60}, kVga}, kVga};
  display.SetRawModes({kVga, {1600, 900, 32, 60}, {1280, 720, 32, 60}, kFullHd});
  Options options;
  options.switchResolution = true;
  DisplayModeAction action{display, options};
  int items = 0;
  for (const SizeItem& size : BuildResolutionMenu(display)) {
    EXPECT_NE(size.caption, L"1600x900") << "a mode the list lacks cannot be switched to";
    for (const DepthItem& depth : size.depths)
      for (const FrequencyItem& frequency : depth.frequencies) {
        ++items;
        options.resolution = frequency.modeNumber;
        action.SwitchToSelectedMode();
        EXPECT_EQ(size.caption, std::to_wstring(display.current().width) + L"x" +
                                    std::to_wstring(display.current().height));
        EXPECT_EQ(depth.caption, std::to_wstring(display.current().bitsPerPel) + L" bits");
        EXPECT_EQ(frequency.caption, std::to_wstring(display.current().frequency) + L" Hz");
        action.RestoreDisplayMode();
      }
  }
  EXPECT_EQ(items, 3);
}

TEST(ResolutionMenuTest, OnlyDefaultRatesOrNoModesGiveAnEmptyMenu) {
  fakes::SimulatedDisplay display{{}, kVga};
  EXPECT_TRUE(BuildResolutionMenu(display).empty());
  display.SetRawModes({{640, 480, 32, 1}});
  EXPECT_TRUE(BuildResolutionMenu(display).empty());
}

TEST(RestoreCountdownTest, CountsFromTenToZeroAndClosesOnTheTickThatShowsZero) {
  RestoreCountdown countdown;
  countdown.Start();
  EXPECT_EQ(countdown.Text(), L"Original mode will be restored in 10 seconds.");
  std::vector<int> shown;
  int closedAt = -1;
  for (int tick = 1; tick <= 12; ++tick) {
    const bool close = countdown.Tick();
    shown.push_back(countdown.SecondsLeft());
    if (close) {
      EXPECT_EQ(closedAt, -1) << "closes once";
      closedAt = tick;
    }
  }
  EXPECT_EQ(closedAt, 10);
  EXPECT_EQ(shown, (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0}));
  EXPECT_EQ(countdown.Text(), L"Original mode will be restored in 0 seconds.");
  EXPECT_FALSE(countdown.Running());

  countdown.Start();  // each showing starts again at 10
  EXPECT_TRUE(countdown.Running());
  EXPECT_EQ(countdown.SecondsLeft(), 10);
}

}  // namespace
}  // namespace dpx
