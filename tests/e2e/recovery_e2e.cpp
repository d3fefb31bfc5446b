// A dpx.exe that dies in hide mode (killed by its process id, so none of its own ending runs):
// the next start, or "dpx.exe /restore", puts the desktop back from the journal and the marks on
// the windows, checked from outside by a third Windows process.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "dpx_windows.h"
#include "harness.h"
#include "session_state.h"
#include "windows_programs.h"

namespace dpx::e2e {
namespace {

namespace fs = std::filesystem;

// The probe's "visible=V exstyle=X" for a window.
std::string SeenFromOutside(const std::string& window, const std::vector<std::string>& wrap = {}) {
  static const std::regex seen("visible=[01] exstyle=[0-9a-fA-F]+");
  const std::string output = Probe({window}, wrap);
  std::smatch match;
  return std::regex_search(output, match, seen) ? match.str() : output;
}

class RecoveryE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    dataFolder = FreshDataFolder();
    WriteDoNotHideList(dataFolder, {"Key target"});
  }
  void TearDown() override {
    EndProcessesRunning(DpxPath());
    ResetDisplay();
  }

  static std::string DpxPath() { return CurrentSession().windowsBuild + "/dpx.exe"; }
  fs::path Journal() const { return dataFolder / "HideJournal.dat"; }
  // Presses the hide hot key in `xWindow` until `hidden`, then waits for the journal's last
  // write of the pass (the new-window watcher may add to it a moment later).
  void HideWith(const std::string& xWindow, const std::function<bool()>& hidden,
                const std::vector<std::string>& wrap = {}) {
    // Its windows are made after the recovery, the hot keys right after them.
    ASSERT_TRUE(WaitUntil(
        [&] { return Probe({"class:DpxSessionEvents"}, wrap).find("gone") == std::string::npos; }));
    ASSERT_TRUE(PressAndWait("ctrl+grave", xWindow, hidden));
    ASSERT_TRUE(fs::exists(Journal()));
  }
  // Kills every dpx.exe of the session as a crash would, and waits until they are gone.
  static void KillDpx() {
    ASSERT_FALSE(ProcessesRunning(DpxPath()).empty());
    EndProcessesRunning(DpxPath());
    ASSERT_TRUE(WaitUntil([] { return ProcessesRunning(DpxPath()).empty(); }, 10s));
  }

  fs::path dataFolder;
};

TEST_F(RecoveryE2e, TheNextStartPutsBackTheWindowsAndTheTaskbarOfAKilledHide) {
  WriteSettings(dataFolder, {"[SpecialWindows]", "HideDesktop=0", "HideTaskBar=1", "Tray=0"});
  // Everything on the "shell" desktop, the only one with a taskbar under Wine.
  WindowsProgram helper(kHelper,
                        {"--window", "Key target", "--exstyle", "40000", "--window", "Canary",
                         "--exstyle", "8", "--window", "Topmost"},
                        kOnShellDesktop);
  const auto windows = helper.Windows(3);
  const std::string canary = windows.at("Canary");
  const std::string topmost = windows.at("Topmost");
  const std::string canaryBefore = SeenFromOutside(canary, kOnShellDesktop);
  const std::string topmostBefore = SeenFromOutside(topmost, kOnShellDesktop);
  ASSERT_EQ(canaryBefore.substr(0, 9), "visible=1");
  auto seen = [&](const std::string& window) { return SeenFromOutside(window, kOnShellDesktop); };
  auto taskbarShown = [] { return ShownFromOutside("class:Shell_TrayWnd", kOnShellDesktop); };
  ASSERT_TRUE(taskbarShown());

  {
    WindowsProgram dpx("dpx.exe", {"/Q"}, kOnShellDesktop);
    ASSERT_TRUE(WaitUntil([] { return XWindowShown("shell - Wine desktop"); }));
    const std::string desktop = VisibleXWindows("shell - Wine desktop").at(0);
    HideWith(
        desktop, [&] { return seen(canary).starts_with("visible=0"); }, kOnShellDesktop);
    ASSERT_TRUE(WaitUntil([&] { return !taskbarShown(); }, 5s));
    EXPECT_NE(FileText(Journal()).find("window 0x" + canary + " "), std::string::npos);
    KillDpx();
  }
  // Nothing of the dead run put anything back.
  ASSERT_TRUE(seen(canary).starts_with("visible=0"));
  ASSERT_FALSE(taskbarShown());

  WindowsProgram dpx("dpx.exe", {"/Q"}, kOnShellDesktop);
  EXPECT_TRUE(WaitUntil([&] { return seen(canary) == canaryBefore; }));
  EXPECT_TRUE(WaitUntil([&] { return seen(topmost) == topmostBefore; }, 5s)) << seen(topmost);
  EXPECT_TRUE(WaitUntil(taskbarShown, 5s));
  EXPECT_TRUE(WaitUntil([&] { return !fs::exists(Journal()); }, 5s));
  EXPECT_FALSE(fs::exists(dataFolder / "HideJournal.dat.damaged"));
  Screenshot((ScreenshotFolder() / "recovery-after-restart.png").string());
}

TEST_F(RecoveryE2e, TheTrayIconsAKilledHideTookComeBackFromTheirMark) {
  // Protected, Wine's tray window stays on the screen, and only the tray library hides it.
  WriteDoNotHideList(dataFolder, {"Key target", "Wine System Tray"});
  WriteSettings(dataFolder, {"[SpecialWindows]", "HideDesktop=0", "HideTaskBar=0", "Tray=1"});
  WindowsProgram helper(kHelper, {"--window", "Key target", "--window", "Canary", "--tray-icon",
                                  "DPX recovery icon"});
  helper.Windows(3);
  ASSERT_TRUE(WaitUntil([] { return XWindowShown("Wine System Tray"); }));
  {
    WindowsProgram dpx("dpx.exe", {"/Q"});
    HideWith(VisibleXWindows("Key target").at(0), [] { return !XWindowShown("Wine System Tray"); });
    KillDpx();
  }
  ASSERT_FALSE(XWindowShown("Wine System Tray"));

  Program restore = StartWindowsProgram("dpx.exe", {"/restore"});
  EXPECT_EQ(restore.Wait(30s), 0);
  EXPECT_TRUE(WaitUntil([] { return XWindowShown("Wine System Tray"); }, 5s));
  EXPECT_NE(Probe({"class:__winex11_standalone_tray"}).find("visible=1"), std::string::npos);
  EXPECT_EQ(Probe({"class:__winex11_standalone_tray"}).find("mark="), std::string::npos);
}

TEST_F(RecoveryE2e, RestoreCommandPutsBackAKilledHideAndEnds) {
  WindowsProgram helper(kHelper, {"--window", "Key target", "--exstyle", "40000", "--window",
                                  "Canary", "--window", "Second"});
  const auto windows = helper.Windows(3);
  const std::string canaryBefore = SeenFromOutside(windows.at("Canary"));
  const std::string secondBefore = SeenFromOutside(windows.at("Second"));
  {
    WindowsProgram dpx("dpx.exe", {"/Q"});
    HideWith(VisibleXWindows("Key target").at(0), [] { return !XWindowShown("Canary"); });
    KillDpx();
  }
  // "Second" goes a moment after the canary.
  ASSERT_TRUE(WaitUntil([] { return !XWindowShown("Second"); }, 5s));

  Program restore = StartWindowsProgram("dpx.exe", {"/restore"});
  EXPECT_EQ(restore.Wait(30s), 0);
  EXPECT_EQ(SeenFromOutside(windows.at("Canary")), canaryBefore);
  EXPECT_EQ(SeenFromOutside(windows.at("Second")), secondBefore);
  // X maps a window a moment after Windows shows it.
  EXPECT_TRUE(WaitUntil([] { return XWindowShown("Canary"); }, 5s));
  EXPECT_FALSE(fs::exists(Journal()));
  // It only restored: no window of its own, no instance left running.
  EXPECT_TRUE(ProcessesRunning(DpxPath()).empty());
}

TEST_F(RecoveryE2e, RestoreCommandAsksTheRunningInstanceToEndItsHide) {
  WindowsProgram helper(kHelper, {"--window", "Key target", "--window", "Canary"});
  const std::string canary = helper.Windows(2).at("Canary");
  WindowsProgram dpx("dpx.exe", {"/Q"});
  const std::string keyTarget = VisibleXWindows("Key target").at(0);
  HideWith(keyTarget, [] { return !XWindowShown("Canary"); });

  Program restore = StartWindowsProgram("dpx.exe", {"/restore"});
  EXPECT_EQ(restore.Wait(30s), 0);
  EXPECT_TRUE(WaitUntil([] { return XWindowShown("Canary"); }, 5s));
  EXPECT_FALSE(fs::exists(Journal()));
  // The instance ended its own hide mode: it runs on, and the next press hides again.
  EXPECT_TRUE(dpx.program().Running());
  EXPECT_TRUE(PressAndWait("ctrl+grave", keyTarget, [] { return !XWindowShown("Canary"); }));
  EXPECT_TRUE(fs::exists(Journal()));
}

TEST_F(RecoveryE2e, RestoreCommandTellsADamagedJournalByItsExitCode) {
  std::ofstream(Journal(), std::ios::binary) << "not a journal\n";

  Program restore = StartWindowsProgram("dpx.exe", {"/restore"});
  // Its side actions are lost with it: the desktop may not be as it was.
  EXPECT_EQ(restore.Wait(30s), 1);
  EXPECT_TRUE(fs::exists(dataFolder / "HideJournal.dat.damaged"));
  EXPECT_FALSE(fs::exists(Journal()));
  // Set aside, it is not read again: the next run has nothing left to fail on.
  Program again = StartWindowsProgram("dpx.exe", {"/restore"});
  EXPECT_EQ(again.Wait(30s), 0);
}

TEST_F(RecoveryE2e, RestoreCommandBesideAnInstanceThatDoesNotAnswerFailsAndTouchesNothing) {
  WindowsProgram helper(kHelper, {"--window", "Key target", "--window", "Canary"});
  const std::string canary = helper.Windows(2).at("Canary");
  WindowsProgram dpx("dpx.exe", {"/Q"});
  HideWith(VisibleXWindows("Key target").at(0), [] { return !XWindowShown("Canary"); });
  const std::vector<pid_t> running = ProcessesRunning(DpxPath());
  ASSERT_EQ(running.size(), 1u);
  // Stopped, it still holds the instance mutex and its windows, and answers nothing.
  ASSERT_EQ(::kill(running.front(), SIGSTOP), 0);

  Program restore = StartWindowsProgram("dpx.exe", {"/restore"});
  EXPECT_EQ(restore.Wait(30s), 2);
  // No second recovery ran beside the live instance.
  EXPECT_TRUE(SeenFromOutside(canary).starts_with("visible=0"));
  EXPECT_NE(Probe({canary}).find("mark="), std::string::npos);
  EXPECT_TRUE(fs::exists(Journal()));

  // Going on, the instance still owns its hide and ends it itself.
  ::kill(running.front(), SIGCONT);
  Program later = StartWindowsProgram("dpx.exe", {"/restore"});
  EXPECT_EQ(later.Wait(30s), 0);
  EXPECT_TRUE(WaitUntil([] { return XWindowShown("Canary"); }, 5s));
  EXPECT_FALSE(fs::exists(Journal()));
}

TEST_F(RecoveryE2e, TheLogoffQuestionIsAnsweredWithTheDesktopBack) {
  WindowsProgram helper(kHelper, {"--window", "Key target", "--window", "Canary"});
  const std::string canary = helper.Windows(2).at("Canary");
  WindowsProgram dpx("dpx.exe", {"/Q"});
  HideWith(VisibleXWindows("Key target").at(0), [] { return !XWindowShown("Canary"); });

  // By the time the answer arrives, the canary is back and hide mode has ended.
  EXPECT_NE(
      Probe({"query-end-session:DpxSessionEvents", canary}).find("yes\r\n" + canary + " visible=1"),
      std::string::npos);
  EXPECT_FALSE(fs::exists(Journal()));
}

TEST_F(RecoveryE2e, AShellRestartedInHideModeHasItsTaskbarHiddenAgain) {
  WriteSettings(dataFolder, {"[SpecialWindows]", "HideDesktop=0", "HideTaskBar=1", "Tray=0"});
  WindowsProgram helper(kHelper, {"--window", "Key target", "--window", "Canary"}, kOnShellDesktop);
  const std::string canary = helper.Windows(2).at("Canary");
  auto taskbarShown = [] { return ShownFromOutside("class:Shell_TrayWnd", kOnShellDesktop); };
  ASSERT_TRUE(taskbarShown());
  WindowsProgram dpx("dpx.exe", {"/Q"}, kOnShellDesktop);
  ASSERT_TRUE(WaitUntil([] { return XWindowShown("shell - Wine desktop"); }));
  const std::string desktop = VisibleXWindows("shell - Wine desktop").at(0);
  const auto canaryHidden = [&] { return !ShownFromOutside(canary, kOnShellDesktop); };
  HideWith(desktop, canaryHidden, kOnShellDesktop);
  ASSERT_TRUE(WaitUntil([&] { return !taskbarShown(); }, 5s));

  // The new shell's taskbar is up for a moment, then DPX hides it again.
  Probe({"shell-restarted"}, kOnShellDesktop);
  EXPECT_TRUE(WaitUntil([&] { return !taskbarShown(); }, 5s)) << "the new taskbar stays";
  EXPECT_TRUE(canaryHidden());
  ASSERT_TRUE(PressAndWait("ctrl+grave", desktop, [&] { return !canaryHidden(); }));
  EXPECT_TRUE(WaitUntil(taskbarShown, 5s)) << "the restore did not bring the taskbar back";
}

TEST_F(RecoveryE2e, AHungProgramHoldsUpNeitherTheHideNorTheRecovery) {
  using Clock = std::chrono::steady_clock;
  WindowsProgram keys(kHelper, {"--window", "Key target", "--window", "Canary"});
  keys.Windows(2);
  // Its thread stops answering 1.5 s after the start, for a minute.
  WindowsProgram hung(kHelper, {"--hang-after", "1500", "--window", "Hung program"});
  const std::string hungWindow = hung.Windows(1).at("Hung program");
  WindowsProgram dpx("dpx.exe", {"/Q"});
  // Well past the hang's start, also on a loaded machine: the hide must meet a hung thread.
  std::this_thread::sleep_for(4s);
  // The hang began before this moment, so it has ended a minute after it.
  const auto hangStarted = Clock::now();

  HideWith(VisibleXWindows("Key target").at(0), [] { return !XWindowShown("Canary"); });
  // The hide did not wait for the hung program; its window goes once it answers again.
  EXPECT_LT(Clock::now() - hangStarted, 20s);
  KillDpx();

  const auto recoveryStarted = Clock::now();
  Program restore = StartWindowsProgram("dpx.exe", {"/restore"});
  EXPECT_EQ(restore.Wait(30s), 0);
  EXPECT_LT(Clock::now() - recoveryStarted, 10s);
  EXPECT_TRUE(WaitUntil([] { return XWindowShown("Canary"); }, 5s));
  // Still hung, the window is on the screen with DPX's hide waiting in its queue. Once its minute
  // is over the program carries out that hide, then the show the recovery queued behind it.
  EXPECT_TRUE(SeenFromOutside(hungWindow).starts_with("visible=1"));
  std::this_thread::sleep_until(hangStarted + 61s);
  std::this_thread::sleep_for(1s);
  EXPECT_TRUE(SeenFromOutside(hungWindow).starts_with("visible=1"));
  EXPECT_TRUE(WaitUntil([] { return XWindowShown("Hung program"); }, 5s));
}

}  // namespace
}  // namespace dpx::e2e
