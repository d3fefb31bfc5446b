// The real dpx.exe under Wine, pressed as a user in a hurry would: a restore request in the
// middle of a slow hide, a hide key held down, a kill right after the display switch. Checked
// from X, from the helper's own report of each show and hide, and from xrandr.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <list>
#include <thread>

#include "dpx_windows.h"
#include "harness.h"
#include "session_state.h"
#include "windows_programs.h"

namespace dpx::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr char kKeyTarget[] = "Key target";

class PanicPathE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    dataFolder = FreshDataFolder();
    WriteDoNotHideList(dataFolder, {kKeyTarget});
    target.emplace(kHelper, std::vector<std::string>{"--window", kKeyTarget});
    targetWindow = WaitForWindow(kKeyTarget);
    ASSERT_FALSE(targetWindow.empty());
  }
  void TearDown() override {
    EndProcessesRunning(DpxPath());
    ResetDisplay();
  }

  static std::string DpxPath() { return CurrentSession().windowsBuild + "/dpx.exe"; }
  void StartDpx() {
    dpx.emplace("dpx.exe", std::vector<std::string>{"/Q"});
    // Its windows are made after the recovery, the hot keys right after them.
    ASSERT_TRUE(WaitUntil(
        [] { return Probe({"class:DpxSessionEvents"}).find("gone") == std::string::npos; }));
    ASSERT_TRUE(WaitForDpxWindow());
  }
  // Programs whose windows (titled "<name>1" ... in order) each take `slowMs` over each show or
  // hide, `perProgram` windows in each.
  void StartSlowPrograms(const std::string& name, int programs, int perProgram, int slowMs) {
    for (int p = 0; p < programs; ++p) {
      std::vector<std::string> args{"--slow-ms", std::to_string(slowMs), "--report-shows", "1"};
      for (int w = 0; w < perProgram; ++w) {
        titles.push_back(name + std::to_string(p * perProgram + w + 1));
        args.insert(args.end(), {"--window", titles.back()});
      }
      helpers.emplace_back(kHelper, args);
      helpers.back().Windows(static_cast<std::size_t>(perProgram));
    }
  }
  bool AllShown() {
    return std::all_of(titles.begin(), titles.end(), [](const auto& t) { return XWindowShown(t); });
  }
  bool NoneShown() {
    return std::none_of(titles.begin(), titles.end(),
                        [](const auto& t) { return XWindowShown(t); });
  }
  std::string Reports() {
    std::string all;
    for (WindowsProgram& helper : helpers) all += helper.program().Output();
    return all;
  }
  fs::path Journal() const { return dataFolder / "HideJournal.dat"; }
  // Presses the hide key, kills dpx.exe as a crash would once `changed` shows, and checks that
  // the journal left behind holds `line`.
  void KillOnceChanged(const std::function<bool()>& changed, const std::string& line) {
    PressKey("ctrl+grave", targetWindow);
    ASSERT_TRUE(WaitUntil(changed, 20s));
    EndProcessesRunning(DpxPath());
    ASSERT_TRUE(WaitUntil([] { return ProcessesRunning(DpxPath()).empty(); }, 10s));
    ASSERT_TRUE(changed());
    ASSERT_TRUE(fs::exists(Journal()));
    EXPECT_NE(FileText(Journal()).find("\n" + line + " "), std::string::npos)
        << FileText(Journal());
  }
  // What a start after the kill does: "dpx.exe /restore", which ends once it has put back.
  static void RestoreAfterTheKill() {
    Program restore = StartWindowsProgram("dpx.exe", {"/restore"});
    EXPECT_EQ(restore.Wait(30s), 0);
  }

  fs::path dataFolder;
  std::optional<WindowsProgram> target;
  std::string targetWindow;
  std::optional<WindowsProgram> dpx;
  std::list<WindowsProgram> helpers;  // not movable: a list keeps them in place
  std::vector<std::string> titles;
};

TEST_F(PanicPathE2e, RestoreRequestDuringASlowHideLeavesNothingHiddenAndThePressesStillWork) {
  StartSlowPrograms("Slow", 3, 4, 300);
  ASSERT_NO_FATAL_FAILURE(StartDpx());

  PressKey("ctrl+grave", targetWindow);
  ASSERT_TRUE(WaitUntil([&] { return Occurrences(Reports(), "[hidden]") >= 1; }, 20s));
  Program restore = StartWindowsProgram("dpx.exe", {"/restore"});
  EXPECT_EQ(restore.Wait(30s), 0);

  // One consistent state: out of hide mode with every window back, the journal gone. The slow
  // programs carry out the hides and shows queued for them a while after DPX's restore, and X
  // can still map a window whose hide was reported: wait for the last show's report, then X.
  EXPECT_TRUE(WaitUntil(
      [&] { return Occurrences(Reports(), "[shown]") >= titles.size() && AllShown(); }, 30s))
      << Reports();
  EXPECT_TRUE(WaitUntil([&] { return !fs::exists(Journal()); }, 10s));
  EXPECT_EQ(Occurrences(Reports(), "[hidden]"), titles.size());
  EXPECT_EQ(Occurrences(Reports(), "[shown]"), titles.size());

  // The next presses turn every window over together.
  ASSERT_TRUE(PressAndWait(
      "ctrl+grave", targetWindow, [&] { return NoneShown(); }, 30s));
  ASSERT_TRUE(PressAndWait(
      "ctrl+grave", targetWindow, [&] { return AllShown(); }, 30s));
  EXPECT_EQ(Occurrences(Reports(), "[hidden]"), 2 * titles.size());
  EXPECT_EQ(Occurrences(Reports(), "[shown]"), 2 * titles.size());
}

TEST_F(PanicPathE2e, AHideKeyHeldDownTogglesOnce) {
  StartSlowPrograms("Held", 1, 2, 0);
  ASSERT_NO_FATAL_FAILURE(StartDpx());

  // Through the X server, so that its auto-repeat sends the key again and again while held.
  e2e::Run("xdotool windowfocus --sync " + targetWindow);
  e2e::Run("xdotool keydown ctrl+grave");
  std::this_thread::sleep_for(2s);  // the user holds the key
  e2e::Run("xdotool keyup ctrl+grave");
  ASSERT_TRUE(WaitUntil([&] { return NoneShown(); }, 20s)) << Reports();

  // A tap restores; the repeats queued before it would have turned the windows over first.
  ASSERT_TRUE(PressAndWait(
      "ctrl+grave", targetWindow, [&] { return AllShown(); }, 20s));
  const std::string reports = Reports();
  for (const std::string& title : titles) {
    EXPECT_EQ(Occurrences(reports, "[hidden]" + title), 1u) << reports;
    EXPECT_EQ(Occurrences(reports, "[shown]" + title), 1u) << reports;
  }
}

TEST_F(PanicPathE2e, AKillRightAfterTheDisplaySwitchIsPutBackByTheNextStart) {
  ResetDisplay();
  const std::string defaultMode = ScreenMode();
  const std::vector<ListedMode> modes = ListedModes();
  const auto chosen = std::find_if(modes.begin(), modes.end(), [&](const ListedMode& mode) {
    return mode.size != defaultMode && mode.size == "1024x768";
  });
  ASSERT_NE(chosen, modes.end()) << "the session offers no 1024x768";
  WriteSettings(dataFolder,
                {"[Display]", "Resolution=" + std::to_string(chosen->number), "Switch=1"});
  // Slow windows: the kill lands while the windows are still being hidden, if not before.
  StartSlowPrograms("Switched", 1, 4, 500);
  ASSERT_NO_FATAL_FAILURE(StartDpx());

  ASSERT_NO_FATAL_FAILURE(KillOnceChanged([&] { return ScreenMode() == chosen->size; }, "display"));
  RestoreAfterTheKill();
  EXPECT_TRUE(DisplayBecomes(defaultMode)) << "the screen is " << ScreenMode();
  EXPECT_TRUE(WaitUntil([&] { return AllShown(); }, 20s));
  EXPECT_FALSE(fs::exists(Journal()));
}

}  // namespace
}  // namespace dpx::e2e
