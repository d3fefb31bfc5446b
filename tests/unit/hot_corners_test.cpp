#include <gtest/gtest.h>

#include <climits>

#include "fakes/fake_triggers_platform.h"
#include "fakes/recording_trigger_actions.h"
#include "triggers/hot_corners.h"

namespace dpx {
namespace {

TEST(PointInCornerTest, ZonesOfAFullHdScreenAndTheirEdges) {
  const ScreenSize screen{1920, 1080};
  const struct {
    std::uint8_t corner;
    int zone;
    int x, y;
    bool in;
  } cases[] = {
      {0, 20, 0, 0, true},
      {0, 20, 19, 19, true},
      {0, 20, 20, 5, false},
      {0, 20, 5, 20, false},
      {0, 20, -1, 0, false},
      {1, 20, 1900, 0, true},
      {1, 20, 1919, 19, true},
      {1, 20, 1899, 0, false},
      {1, 20, 1920, 0, false},
      {1, 20, 1900, 20, false},
      {2, 20, 0, 1060, true},
      {2, 20, 19, 1079, true},
      {2, 20, 0, 1059, false},
      {2, 20, 20, 1079, false},
      {2, 20, 0, 1080, false},
      {3, 20, 1900, 1060, true},
      {3, 20, 1919, 1079, true},
      {3, 20, 1899, 1079, false},
      {3, 20, 1919, 1059, false},
      {3, 20, 1920, 1079, false},
      // No zone at all.
      {0, 0, 0, 0, false},
      {3, 0, 1919, 1079, false},
      {0, -5, 0, 0, false},
      {4, 20, 0, 0, false},
      {7, 20, 1919, 1079, false},
      {255, 20, 0, 1079, false},
      // A zone larger than the screen covers all of it and overflows nothing.
      {3, INT_MAX, 0, 0, true},
      {0, INT_MAX, 1919, 1079, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PointInCorner(c.corner, c.zone, c.x, c.y, screen), c.in)
        << "corner " << int{c.corner} << " zone " << c.zone << " at " << c.x << "," << c.y;
}

class HoverTest : public ::testing::Test {
 protected:
  bool Tick(int x = 0, int y = 0) { return info.IsTriggered(x, y, input); }

  fakes::FakeHoverInput input;
  CornerOption option{true, 20, 500, 0};
  TMouseShortcutInfo info{option};
};

TEST_F(HoverTest, FiresOnceThePointerHasRestedForTheHoverTime) {
  EXPECT_FALSE(Tick());  // only starts the timing
  EXPECT_EQ(info.HoverStart, input.tick);
  input.Advance(499);
  EXPECT_FALSE(Tick());
  input.Advance(1);
  EXPECT_TRUE(Tick());
  EXPECT_TRUE(Tick());  // stays due until the caller resets it
  EXPECT_EQ(info.HoverStart, input.tick - 500);
}

TEST_F(HoverTest, LeavingTheZoneStartsTheTimingAgain) {
  EXPECT_FALSE(Tick());
  input.Advance(400);
  EXPECT_FALSE(Tick(20, 0));
  EXPECT_EQ(info.HoverStart, 0u);
  input.Advance(400);
  EXPECT_FALSE(Tick());
  input.Advance(499);
  EXPECT_FALSE(Tick());
  input.Advance(1);
  EXPECT_TRUE(Tick());
}

TEST_F(HoverTest, NoOrNegativeHoverTimeFiresAtTheFirstTickInTheZone) {
  for (int hover : {0, -1, INT_MIN}) {
    option.hoverInterval = hover;
    info.HoverStart = 0;
    EXPECT_TRUE(Tick()) << "hover " << hover;
  }
}

TEST_F(HoverTest, TheTickCounterWrappingDoesNoHarm) {
  input.tick = 0xFFFFFF00u;
  EXPECT_FALSE(Tick());
  input.Advance(0x100);  // now 0
  EXPECT_FALSE(Tick());  // 256 ms
  input.Advance(0x100);
  EXPECT_TRUE(Tick());  // 512 ms
}

TEST_F(HoverTest, ZoneSizeZeroNeverFires) {
  option.zoneSize = 0;
  option.hoverInterval = 0;
  EXPECT_FALSE(Tick());
  EXPECT_EQ(info.HoverStart, 0u);
}

TEST_F(HoverTest, TheScreenSizeIsReadAtEveryTick) {
  option.corner = 1;
  EXPECT_FALSE(Tick(1900, 0));
  input.screen = {1280, 1024};
  input.Advance(500);
  EXPECT_FALSE(Tick(1900, 0));
  EXPECT_EQ(info.HoverStart, 0u);
}

class MouseTimerTest : public ::testing::Test {
 protected:
  void TickAfter(std::uint32_t milliseconds) {
    input.Advance(milliseconds);
    corners.MouseTimer(ready, inHideMode, actions);
  }

  fakes::FakeHoverInput input;
  fakes::RecordingTriggerActions actions;
  Options options;
  HotCorners corners{options, input};
  TMouseShortcutInfo& hide = corners.Info(CornerTrigger::kHide);
  TMouseShortcutInfo& screenSaver = corners.Info(CornerTrigger::kScreenSaver);
  bool ready = true;
  bool inHideMode = false;
};

TEST_F(MouseTimerTest, TheHideCornerHidesAfterItsHoverTimeThenTimesAfresh) {
  options.hideCorner.enabled = true;
  input.cursor = ScreenPoint{3, 3};
  TickAfter(0);
  TickAfter(500);
  EXPECT_EQ(actions.fired, std::vector<std::string>{"hide/restore"});
  EXPECT_EQ(hide.HoverStart, 0u);
  TickAfter(500);  // still in the zone: a new timing starts
  EXPECT_EQ(actions.fired.size(), 1u);
  TickAfter(500);
  EXPECT_EQ(actions.fired.size(), 2u);
}

TEST_F(MouseTimerTest, InHideModeADueHideCornerWaitsAndFiresOnceHideModeEnds) {
  options.hideCorner.enabled = true;
  input.cursor = ScreenPoint{0, 0};
  inHideMode = true;
  TickAfter(0);
  TickAfter(5000);
  EXPECT_TRUE(actions.fired.empty());
  EXPECT_NE(hide.HoverStart, 0u);
  inHideMode = false;
  TickAfter(500);
  EXPECT_EQ(actions.fired, std::vector<std::string>{"hide/restore"});
}

TEST_F(MouseTimerTest, BothCornersOnOneSpotFireInOneTickHideFirst) {
  options.hideCorner = {true, 20, 0, 3};
  options.screenSaverCorner = {true, 20, 0, 3};
  input.cursor = ScreenPoint{1919, 1079};
  TickAfter(500);
  EXPECT_EQ(actions.fired, (std::vector<std::string>{"hide/restore", "screen saver"}));
  EXPECT_EQ(input.cursorReads, 2);
  // The screen-saver corner does not care about hide mode.
  inHideMode = true;
  actions.fired.clear();
  TickAfter(500);
  EXPECT_EQ(actions.fired, std::vector<std::string>{"screen saver"});
}

TEST_F(MouseTimerTest, EachCornerKeepsItsOwnHoverTime) {
  options.hideCorner = {true, 20, 500, 1};
  options.screenSaverCorner = {true, 20, 1000, 1};
  input.cursor = ScreenPoint{1910, 10};
  TickAfter(0);
  TickAfter(500);
  EXPECT_EQ(actions.fired, std::vector<std::string>{"hide/restore"});
  TickAfter(500);
  EXPECT_EQ(actions.fired, (std::vector<std::string>{"hide/restore", "screen saver"}));
  TickAfter(500);  // the screen-saver corner fired, so its timing starts afresh
  EXPECT_EQ(actions.fired,
            (std::vector<std::string>{"hide/restore", "screen saver", "hide/restore"}));
}

TEST_F(MouseTimerTest, NothingHappensBeforeStartUpEndsOrWhileLockedOrSwitchedOff) {
  options.hideCorner = {true, 20, 0, 0};
  options.screenSaverCorner = {true, 20, 0, 0};
  input.cursor = ScreenPoint{0, 0};
  hide.HoverStart = screenSaver.HoverStart = 42;

  ready = false;
  TickAfter(500);
  ready = true;
  input.locked = true;
  TickAfter(500);
  EXPECT_EQ(input.cursorReads, 0);
  EXPECT_EQ(hide.HoverStart, 42u);
  EXPECT_EQ(screenSaver.HoverStart, 42u);

  input.locked = false;
  options.hideCorner.enabled = options.screenSaverCorner.enabled = false;
  input.cursor = ScreenPoint{500, 500};
  TickAfter(500);
  EXPECT_EQ(hide.HoverStart, 42u);  // a corner that is off is not looked at
  EXPECT_TRUE(actions.fired.empty());
}

TEST_F(MouseTimerTest, AFailedPointerReadCountsAsTheTopLeftPixel) {
  options.hideCorner = {true, 20, 0, 0};
  options.screenSaverCorner = {true, 20, 0, 3};
  input.cursor = std::nullopt;
  TickAfter(500);
  EXPECT_EQ(actions.fired, std::vector<std::string>{"hide/restore"});
}

// Answers the dialog with a fixed button after an optional edit.
class ScriptedDialog final : public MouseShortcutDialog {
 public:
  explicit ScriptedDialog(bool ok) : ok_(ok) {}
  int opened = 0;
  bool ShowModal(MouseShortcutForm& form) override {
    ++opened;
    form.corners.Click(2);
    form.zoneSize.SetText(L"150");
    return ok_;
  }

 private:
  bool ok_;
};

TEST_F(MouseTimerTest, CornerButtonsOpenTheDialogOnlyWhenSwitchedOn) {
  ScriptedDialog ok(true), cancel(false);
  EXPECT_FALSE(corners.CornerButtonClicked(CornerTrigger::kHide, true, cancel));
  EXPECT_FALSE(options.hideCorner.enabled);
  EXPECT_EQ(options.hideCorner.zoneSize, 20);

  EXPECT_TRUE(corners.CornerButtonClicked(CornerTrigger::kScreenSaver, true, ok));
  EXPECT_TRUE(options.screenSaverCorner.enabled);
  EXPECT_EQ(options.screenSaverCorner.zoneSize, 150);
  EXPECT_EQ(options.screenSaverCorner.corner, 2);

  EXPECT_FALSE(corners.CornerButtonClicked(CornerTrigger::kScreenSaver, false, ok));
  EXPECT_FALSE(options.screenSaverCorner.enabled);
  EXPECT_EQ(options.screenSaverCorner.zoneSize, 150);
  EXPECT_EQ(ok.opened, 1);
  EXPECT_EQ(options.hideCorner.corner, 0);
}

}  // namespace
}  // namespace dpx
