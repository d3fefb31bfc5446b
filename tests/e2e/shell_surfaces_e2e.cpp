// The real dpx.exe under Wine, driven by its hide hot key: the desktop icons, the taskbar and the
// tray icons, the active window and the Bring to TOP program, checked from outside through X and
// from a third Windows process.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <signal.h>

#include "harness.h"
#include "session_state.h"
#include "windows_programs.h"

namespace dpx::e2e {
namespace {

namespace fs = std::filesystem;

// One record of "ExList.Dat" or "BttList.Dat": title and path as length-prefixed 255-byte
// strings (ASCII here), then the all-windows flag.
std::string ListRecord(const std::string& title, const std::string& path, bool allWindows) {
  std::string record(513, '\0');
  record[0] = static_cast<char>(title.size());
  record.replace(1, title.size(), title);
  record[256] = static_cast<char>(path.size());
  record.replace(257, path.size(), path);
  record[512] = allWindows ? 1 : 0;
  return record;
}

void WriteFile(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

class ShellE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    dataFolder = fs::path(AppDataFolder()) / "Orvalen" / "DPX";
    fs::remove_all(dataFolder);
    fs::create_directories(dataFolder);
    Protect({"Key target"});
  }
  // A test on the "shell" virtual desktop leaves Wine that desktop's list of display modes.
  void TearDown() override { ResetDisplay(); }

  // The Do not hide list. "Key target" takes the hot keys and stays on the screen; an
  // unprotected "Canary" tells from outside whether the desktop is hidden.
  void Protect(const std::vector<std::string>& titles) {
    std::string records;
    for (const std::string& title : titles) records += ListRecord(title, "", false);
    WriteFile(dataFolder / "ExList.Dat", records);
  }
  void WriteSettings(const std::string& text) { WriteFile(dataFolder / "dpx.dat", text); }

  // Presses the hide hot key in `keyTarget` until `hidden(true)`: a press that came before
  // dpx.exe registered its hot keys is lost, and then the next one counts.
  static bool PressUntil(const std::string& keyTarget, const std::function<bool()>& done) {
    for (int attempt = 0; attempt < 10; ++attempt) {
      PressKey("ctrl+grave", keyTarget);
      if (WaitUntil(done, 3s)) return true;
    }
    return false;
  }
  static bool Hide(const std::string& keyTarget) {
    return PressUntil(keyTarget, [] { return !XWindowShown("Canary"); });
  }
  static bool Restore(const std::string& keyTarget) {
    return PressUntil(keyTarget, [] { return XWindowShown("Canary"); });
  }

  fs::path dataFolder;
};

TEST_F(ShellE2e, DpxDoesNotStartWithoutItsTrayLibrary) {
  const fs::path lonely = fs::temp_directory_path() / "dpx-without-tray-library";
  fs::remove_all(lonely);
  fs::create_directories(lonely);
  fs::copy_file(fs::path(CurrentSession().windowsBuild) / "dpx.exe", lonely / "dpx.exe");
  Program dpx({CurrentSession().wine, (lonely / "dpx.exe").string(), "/Q"});
  const int status = dpx.Wait(30s);
  fs::remove_all(lonely);
  EXPECT_EQ(status, 53);  // STATUS_DLL_NOT_FOUND, cut to 8 bits
}

TEST_F(ShellE2e, DesktopIconsAreHiddenInHideModeAndBackAfter) {
  WriteSettings("[SpecialWindows]\r\nHideDesktop=1\r\nHideTaskBar=0\r\nTray=0\r\n");
  WindowsProgram helper(
      kHelper, {"--window", "Key target", "--window", "Canary", "--shell-tree", "progman"});
  const auto windows = helper.Windows(5);
  const std::string folderView = windows.at("FolderView");
  WindowsProgram dpx("dpx.exe", {"/Q"});
  const std::string keyTarget = VisibleXWindows("Key target").at(0);
  ASSERT_TRUE(ShownFromOutside(folderView));

  // The shell surfaces go last, after the windows: the canary is hidden a moment earlier.
  ASSERT_TRUE(Hide(keyTarget));
  EXPECT_TRUE(WaitUntil([&] { return !ShownFromOutside(folderView); }, 5s));
  EXPECT_TRUE(ShownFromOutside(windows.at("Program Manager")));

  ASSERT_TRUE(Restore(keyTarget));
  EXPECT_TRUE(WaitUntil(
      [&] { return Probe({folderView}).find("visible=1 exstyle=80") != std::string::npos; }, 5s));
}

TEST_F(ShellE2e, TrayIconsAreHiddenInHideModeAndBackAfter) {
  // Protected, Wine's tray window stays on the screen, and only the tray library hides it.
  Protect({"Key target", "Wine System Tray"});
  WriteSettings("[SpecialWindows]\r\nHideDesktop=0\r\nHideTaskBar=1\r\nTray=1\r\n");
  WindowsProgram helper(kHelper, {"--window", "Key target", "--window", "Canary", "--tray-icon",
                                  "DPX end-to-end icon"});
  const auto windows = helper.Windows(3);
  ASSERT_NE(windows.at("tray icon"), "0");
  ASSERT_TRUE(WaitUntil([] { return XWindowShown("Wine System Tray"); }));
  WindowsProgram dpx("dpx.exe", {"/Q"});
  const std::string keyTarget = VisibleXWindows("Key target").at(0);

  ASSERT_TRUE(Hide(keyTarget));
  EXPECT_TRUE(WaitUntil([] { return !XWindowShown("Wine System Tray"); }, 5s));
  ASSERT_TRUE(Restore(keyTarget));
  EXPECT_TRUE(WaitUntil([] { return XWindowShown("Wine System Tray"); }));
}

TEST_F(ShellE2e, TaskbarOfTheShellDesktopIsHiddenInHideModeAndBackAfter) {
  WriteSettings("[SpecialWindows]\r\nHideDesktop=0\r\nHideTaskBar=1\r\nTray=1\r\n");
  // dpx.exe, the helper and the probe all run on the "shell" desktop, whose windows are drawn
  // inside one X window: the canary is asked through the probe, which sees the windows of its
  // own desktop only.
  WindowsProgram helper(kHelper, {"--window", "Key target", "--window", "Canary"}, kOnShellDesktop);
  const std::string canary = helper.Windows(2).at("Canary");
  WindowsProgram dpx("dpx.exe", {"/Q"}, kOnShellDesktop);
  ASSERT_TRUE(WaitUntil([] { return XWindowShown("shell - Wine desktop"); }));
  const std::string desktop = VisibleXWindows("shell - Wine desktop").at(0);
  auto taskbarShown = [] { return ShownFromOutside("class:Shell_TrayWnd", kOnShellDesktop); };
  ASSERT_TRUE(taskbarShown());

  auto canaryShown = [&] { return ShownFromOutside(canary, kOnShellDesktop); };
  ASSERT_TRUE(canaryShown());

  ASSERT_TRUE(PressUntil(desktop, [&] { return !canaryShown(); }));
  EXPECT_TRUE(WaitUntil([&] { return !taskbarShown(); }, 5s));
  ASSERT_TRUE(PressUntil(desktop, canaryShown));
  EXPECT_TRUE(WaitUntil(taskbarShown, 5s));
}

TEST_F(ShellE2e, ClosingTheActiveProgramEndsItAtTheHide) {
  WriteSettings("[General]\r\nHideActiveWindow=1\r\n");
  WindowsProgram keys(kHelper, {"--window", "Key target", "--window", "Canary"});
  keys.Windows(2);
  // Started last, so that it lies on top where the click lands.
  WindowsProgram active(kHelper, {"--window", "Active program"});
  active.Windows(1);
  WindowsProgram dpx("dpx.exe", {"/Q"});
  const std::string keyTarget = VisibleXWindows("Key target").at(0);
  e2e::Run("xdotool mousemove --window " + VisibleXWindows("Active program").at(0) +
           " 60 60 click 1");

  ASSERT_TRUE(Hide(keyTarget));
  EXPECT_TRUE(WaitUntil([&] { return !active.program().Running(); }, 5s));
  EXPECT_EQ(active.program().Output().find("closed"), std::string::npos);  // no close request
  EXPECT_TRUE(keys.program().Running());
}

// On Windows the process of a folder window or of the shell's desktop window is explorer.exe:
// ending it ends the taskbar and the desktop. The helper plays that process.
TEST_F(ShellE2e, AnActiveWindowOfTheShellIsAskedToCloseInsteadOfEndingItsProcess) {
  WriteSettings("[General]\r\nHideActiveWindow=1\r\n");
  WindowsProgram keys(kHelper, {"--window", "Key target", "--window", "Canary"});
  keys.Windows(2);
  WindowsProgram dpx("dpx.exe", {"/Q"});
  const std::string keyTarget = VisibleXWindows("Key target").at(0);
  const struct {
    const char* kind;
    std::vector<std::string> helperArgs;
  } cases[] = {
      {"folder window", {"--class", "CabinetWClass", "--window", "Shell's window"}},
      {"shell's process",
       {"--shell-window", "1", "--window", "Desktop", "--window", "Shell's window"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    WindowsProgram shell(kHelper, c.helperArgs);
    shell.Windows(std::count(c.helperArgs.begin(), c.helperArgs.end(), std::string("--window")));
    if (c.helperArgs[0] == "--shell-window") {
      ASSERT_TRUE(WaitUntil([&] {
        return shell.program().Output().find("shell window set") != std::string::npos;
      })) << shell.program().Output();
    }
    e2e::Run("xdotool mousemove --window " + VisibleXWindows("Shell's window").at(0) +
             " 60 60 click 1");

    ASSERT_TRUE(Hide(keyTarget));
    EXPECT_TRUE(WaitUntil([&] { return !shell.program().Running(); }, 5s));
    EXPECT_NE(shell.program().Output().find("closed Shell's window"), std::string::npos)
        << "ended without a close request: " << shell.program().Output();
    ASSERT_TRUE(Restore(keyTarget));
  }
  EXPECT_TRUE(dpx.program().Running());
}

TEST_F(ShellE2e, TheActiveWindowHasTheForegroundAgainAfterTheRestore) {
  WriteSettings("[General]\r\nHideActiveWindow=0\r\n");
  WindowsProgram keys(kHelper, {"--window", "Key target", "--window", "Canary"});
  keys.Windows(2);
  WindowsProgram active(kHelper, {"--window", "Was active"});
  const std::string wasActive = active.Windows(1).at("Was active");
  WindowsProgram dpx("dpx.exe", {"/Q"});
  const std::string keyTarget = VisibleXWindows("Key target").at(0);
  e2e::Run("xdotool mousemove --window " + VisibleXWindows("Was active").at(0) + " 60 60 click 1");
  ASSERT_TRUE(
      WaitUntil([&] { return Probe({"foreground"}) == "foreground " + wasActive + "\r\n"; }));

  ASSERT_TRUE(Hide(keyTarget));
  EXPECT_NE(Probe({"foreground"}), "foreground " + wasActive + "\r\n");
  ASSERT_TRUE(Restore(keyTarget));
  EXPECT_TRUE(
      WaitUntil([&] { return Probe({"foreground"}) == "foreground " + wasActive + "\r\n"; }));
}

TEST_F(ShellE2e, BringToTopProgramThatIsNotRunningIsStartedAtTheHideAndGetsTheForeground) {
  const fs::path tools = fs::path(CurrentSession().winePrefix) / "drive_c" / "DpxTools";
  fs::create_directories(tools);
  fs::copy_file(fs::path(CurrentSession().windowsBuild) / kHelper, tools / "started.exe",
                fs::copy_options::overwrite_existing);
  WriteFile(dataFolder / "BttList.Dat",
            ListRecord("Started program", "C:\\DpxTools\\started.exe", true));
  WindowsProgram keys(kHelper, {"--window", "Key target", "--window", "Canary"});
  keys.Windows(2);
  WindowsProgram dpx("dpx.exe", {"/Q"});
  const std::string keyTarget = VisibleXWindows("Key target").at(0);

  ASSERT_TRUE(Hide(keyTarget));
  // Started with no arguments, the helper names its working folder in its title.
  const std::string title = "started in C:\\DpxTools";
  EXPECT_TRUE(WaitUntil([&] { return XWindowShown(title); }));
  // What the user types next goes to it.
  EXPECT_TRUE(WaitUntil(
      [&] { return Probe({"foreground-title"}) == "foreground-title " + title + "\r\n"; }, 10s))
      << Probe({"foreground-title"});
  ASSERT_TRUE(Restore(keyTarget));
  // The shell started it apart from every process the test started.
  EndProcessesRunning("C:\\DpxTools\\started.exe");
  EXPECT_TRUE(WaitUntil([&] { return !XWindowShown(title); }));
}

}  // namespace
}  // namespace dpx::e2e
