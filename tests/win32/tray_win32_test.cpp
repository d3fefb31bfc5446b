// dpxtray.dll against Wine's standalone tray and against the notification area of Windows 7 to
// 10 as the test helper builds it; what the library hid is checked from a third process.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "dpxtray.h"
#include "hide/shell_surfaces.h"
#include "platform/win32/tray_library_win32.h"
#include "platform/win32/window_manager_win32.h"
#include "platform/win32/window_search_win32.h"
#include "shell_win32_support.h"

namespace dpx {
namespace {

using namespace std::chrono_literals;
using testing::ChildProcess;
using testing::SeenFromOutside;

WindowHandle StandaloneTray() {
  return win32::FromHwnd(::FindWindowW(L"__winex11_standalone_tray", nullptr));
}

// A helper with a notification icon; Wine shows it in its standalone tray window.
class TrayWithIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto windows = testing::ReadWindows(helper, 1);
    ASSERT_NE(windows.at("tray icon"), kNoWindow) << "the icon could not be added";
    tray = StandaloneTray();
    ASSERT_NE(tray, kNoWindow);
    ASSERT_TRUE(testing::BecomesVisible(tray, true, 5s));
  }
  void TearDown() override { RestoreTray(); }

  ChildProcess helper{testing::TestWindowsExe(), L"--tray-icon \"DPX test icon\""};
  WindowHandle tray = kNoWindow;
};

TEST_F(TrayWithIconTest, RefusesCallsWithoutTheValueAndAccessCode) {
  const char tooLong[] = "8025130";
  const char tooShort[] = "80251";
  EXPECT_EQ(HideTray(1, nullptr), 0);
  EXPECT_EQ(HideTray(1, ""), 0);
  EXPECT_EQ(HideTray(1, "000000"), 0);
  EXPECT_EQ(HideTray(1, tooShort), 0);
  EXPECT_EQ(HideTray(1, tooLong), 0);
  EXPECT_EQ(HideTray(0, "802513"), 0);
  EXPECT_EQ(HideTray(2, "802513"), 0);

  EXPECT_TRUE(SeenFromOutside(tray).visible);
  EXPECT_EQ(RestoreTray(), 0);  // nothing was hidden, so nothing is shown
}

TEST_F(TrayWithIconTest, HidesTheStandaloneTrayAndShowsItAgainOnce) {
  EXPECT_EQ(HideTray(1, "802513"), 1);
  EXPECT_FALSE(SeenFromOutside(tray).visible);
  EXPECT_EQ(HideTray(1, "802513"), 1);  // a second hide keeps it once

  EXPECT_EQ(RestoreTray(), 1);
  EXPECT_TRUE(SeenFromOutside(tray).visible);
  EXPECT_EQ(RestoreTray(), 0);
}

TEST_F(TrayWithIconTest, ShellSurfacesHideTheTrayThroughTheImportedLibrary) {
  win32::Win32WindowManager windows;
  win32::Win32WindowSearch search;
  testing::FixedVersion windows10(10, 0, 19045);
  win32::Win32TrayLibrary library;
  ShellSurfaces surfaces(windows, search, windows10, library);

  surfaces.HideShellSurfaces(false, false, true);
  EXPECT_FALSE(SeenFromOutside(tray).visible);
  surfaces.RestoreShellSurfaces();
  EXPECT_TRUE(SeenFromOutside(tray).visible);
}

TEST_F(TrayWithIconTest, ProgramEndingWithTheIconsHiddenShowsThemAgain) {
  ChildProcess caller(testing::ThisProgramFolder() + L"\\dpx_tray_caller.exe", L"802513");
  EXPECT_EQ(caller.ReadToEnd(20s), "HideTray 1\r\n");
  EXPECT_TRUE(testing::BecomesVisible(tray, true, 5s));
}

TEST(TrayTreeWin32Test, HidesTheIconsOfTheNotificationAreaAndRestoresExactlyThem) {
  ChildProcess helper(testing::TestWindowsExe(), L"--taskbar-tree 1");
  const auto windows = testing::ReadWindows(helper, 9);
  ASSERT_EQ(windows.size(), 9u);
  const std::set<std::string> iconHolders{"Button", "SysPager",
                                          "System Promoted Notification Area"};
  std::vector<WindowHandle> all;
  for (const auto& [label, window] : windows) all.push_back(window);
  const auto before = SeenFromOutside(all);
  EXPECT_FALSE(before.at(windows.at("NotifyIconOverflowWindow")).visible);

  EXPECT_EQ(HideTray(1, "802513"), 1);
  const auto hidden = SeenFromOutside(all);
  RestoreTray();
  const auto restored = SeenFromOutside(all);

  for (const auto& [label, window] : windows) {
    // The icons inside the pager are hidden with it; IsWindowVisible looks at the parents.
    const bool iconWindow = iconHolders.count(label) || label == "User Promoted Notification Area";
    EXPECT_EQ(hidden.at(window).visible, before.at(window).visible && !iconWindow) << label;
    EXPECT_EQ(restored.at(window).visible, before.at(window).visible) << label;
  }
}

TEST(TrayTreeWin32Test, TheIconsAKilledDpxLeftHiddenComeBackFromTheirMarks) {
  ChildProcess helper(testing::TestWindowsExe(), L"--taskbar-tree 1");
  const auto windows = testing::ReadWindows(helper, 9);
  ASSERT_EQ(windows.size(), 9u);
  std::vector<WindowHandle> all;
  for (const auto& [label, window] : windows) all.push_back(window);
  const auto before = SeenFromOutside(all);

  ASSERT_EQ(HideTray(1, "802513"), 1);
  // What another process finds from the marks alone, as after a killed DPX.
  EXPECT_EQ(RestoreMarkedTray(), 3);  // the pager, the toolbar in the area itself, the chevron
  const auto restored = SeenFromOutside(all);
  for (const auto& [label, window] : windows)
    EXPECT_EQ(restored.at(window).visible, before.at(window).visible) << label;
  EXPECT_EQ(RestoreMarkedTray(), 0);  // the marks went with the show
  RestoreTray();
}

TEST(TrayImportWin32Test, ProgramImportingTheLibraryDoesNotStartWithoutIt) {
  wchar_t temp[MAX_PATH];
  ASSERT_NE(::GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring folder = std::wstring(temp) + L"dpx_no_tray_library";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring lonely = folder + L"\\dpx_tray_caller.exe";
  ASSERT_TRUE(::CopyFileW((testing::ThisProgramFolder() + L"\\dpx_tray_caller.exe").c_str(),
                          lonely.c_str(), FALSE));

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + lonely + L"\" 802513";
  ASSERT_TRUE(::CreateProcessW(lonely.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, folder.c_str(), &startup, &info));
  win32::UniqueHandle process(info.hProcess);
  win32::UniqueHandle thread(info.hThread);
  ASSERT_EQ(::WaitForSingleObject(process.Get(), 20000), WAIT_OBJECT_0);
  DWORD exitCode = 0;
  ::GetExitCodeProcess(process.Get(), &exitCode);
  ::DeleteFileW(lonely.c_str());
  ::RemoveDirectoryW(folder.c_str());

  EXPECT_EQ(exitCode, 0xC0000135u);  // STATUS_DLL_NOT_FOUND
}

}  // namespace
}  // namespace dpx
