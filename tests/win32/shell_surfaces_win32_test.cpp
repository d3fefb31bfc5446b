// The desktop icons and the taskbar hidden and shown through the real window manager, on the
// window trees the test helper builds and on the taskbar of Wine's "shell" virtual desktop.
#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "hide/shell_surfaces.h"
#include "platform/win32/tray_library_win32.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_manager_win32.h"
#include "platform/win32/window_search_win32.h"
#include "shell_win32_support.h"

namespace dpx {
namespace {

using namespace std::chrono_literals;
using testing::ChildProcess;
using testing::FixedVersion;
using testing::SeenFromOutside;

// These tests are about the windows; the tray library has its own.
class NoTray final : public TrayLibrary {
 public:
  void HideTray(std::int32_t, const char*) override {}
  void RestoreTray() override {}
  void RestoreMarkedTray() override {}
};

// Hides the desktop icons of the helper's tree on that version: the window labelled `hiddenLabel`
// is hidden, and with it whatever it holds.
void HideAndRestoreDesktopIcons(const wchar_t* tree, FixedVersion version,
                                const std::string& hiddenLabel,
                                const std::set<std::string>& hiddenWithIt = {}) {
  ChildProcess helper(testing::TestWindowsExe(), std::wstring(L"--shell-tree ") + tree);
  const auto windows = testing::ReadWindows(helper, std::wstring(tree) == L"progman" ? 3 : 5);
  ASSERT_TRUE(windows.count(hiddenLabel)) << hiddenLabel;
  const WindowHandle target = windows.at(hiddenLabel);
  win32::Win32WindowManager manager;
  win32::Win32WindowSearch search;
  NoTray tray;
  ShellSurfaces surfaces(manager, search, version, tray);
  std::vector<WindowHandle> all;
  for (const auto& [label, window] : windows) all.push_back(window);

  surfaces.HideShellSurfaces(true, false, false);
  const auto hidden = SeenFromOutside(all);
  surfaces.RestoreShellSurfaces();
  const auto restored = SeenFromOutside(all);

  for (const auto& [label, window] : windows) {
    EXPECT_EQ(hidden.at(window).visible, window != target && !hiddenWithIt.count(label)) << label;
    EXPECT_TRUE(restored.at(window).visible) << label;
  }
  EXPECT_EQ(restored.at(target).exStyle & 0xFFu, 0x80u);
}

TEST(DesktopIconsWin32Test, FolderViewUnderTheProgramManagerOnWindows10) {
  HideAndRestoreDesktopIcons(L"progman", FixedVersion(10, 0, 19045), "FolderView");
}

TEST(DesktopIconsWin32Test, FolderViewUnderAWorkerWindowFromBuild21337) {
  HideAndRestoreDesktopIcons(L"workerw", FixedVersion(10, 0, 22631), "FolderView");
}

TEST(DesktopIconsWin32Test, TheProgramManagerItselfOnOlderWindows) {
  HideAndRestoreDesktopIcons(L"progman", FixedVersion(6, 0, 6002), "Program Manager",
                             {"SHELLDLL_DefView", "FolderView"});
}

TEST(DesktopIconsWin32Test, ViewOutsideTheProgramManagerStaysShown) {
  ChildProcess helper(testing::TestWindowsExe(), L"--shell-tree workerw");
  const auto windows = testing::ReadWindows(helper, 5);
  win32::Win32WindowManager manager;
  win32::Win32WindowSearch search;
  FixedVersion windows10(10, 0, 19045);
  NoTray tray;
  ShellSurfaces surfaces(manager, search, windows10, tray);

  surfaces.HideShellSurfaces(true, false, false);

  EXPECT_TRUE(SeenFromOutside(windows.at("FolderView")).visible);
}

// Wine's virtual desktop named "shell" has a real, visible taskbar. The test's own thread moves
// to that desktop, where the shell windows are searched; a helper there keeps it open.
TEST(TaskbarWin32Test, TaskbarOfTheShellDesktopIsHiddenAndShownAgain) {
  ChildProcess explorer(L"C:\\windows\\explorer.exe", L"/desktop=shell,1024x768 \"" +
                                                          testing::TestWindowsExe() +
                                                          L"\" --window \"Shell desktop keeper\"");
  const auto keeperWindows = testing::ReadWindows(explorer, 1);
  ASSERT_EQ(keeperWindows.size(), 1u);
  struct EndKeeper {
    WindowHandle window;
    ~EndKeeper() { testing::EndProcessOf(window); }
  } endKeeper{keeperWindows.begin()->second};

  WindowHandle taskbar = kNoWindow;
  testing::SeenWindow before, hidden, restored;
  std::thread onShellDesktop([&] {
    win32::UniqueDesktop desktop(::OpenDesktopW(L"shell", 0, FALSE, GENERIC_ALL));
    if (!desktop || !::SetThreadDesktop(desktop.Get())) return;
    win32::Win32WindowManager manager;
    win32::Win32WindowSearch search;
    FixedVersion windows10(10, 0, 19045);
    NoTray tray;
    ShellSurfaces surfaces(manager, search, windows10, tray);
    taskbar = manager.FindByClass(L"Shell_TrayWnd");
    before = SeenFromOutside(taskbar);
    surfaces.HideShellSurfaces(false, true, false);
    hidden = SeenFromOutside(taskbar);
    surfaces.RestoreShellSurfaces();
    restored = SeenFromOutside(taskbar);
  });
  onShellDesktop.join();

  ASSERT_NE(taskbar, kNoWindow);
  EXPECT_TRUE(before.visible);
  EXPECT_FALSE(hidden.visible);
  EXPECT_TRUE(restored.visible);
  EXPECT_EQ(restored.exStyle & 0xFFu, 0x80u);
}

}  // namespace
}  // namespace dpx
