#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/simulated_shell.h"
#include "hide/shell_surfaces.h"

namespace dpx {
namespace {

// The desktop's icon list as the shell nests it: host > "SHELLDLL_DefView" > "FolderView".
struct IconTree {
  WindowHandle host = kNoWindow;
  WindowHandle view = kNoWindow;
  WindowHandle icons = kNoWindow;
};

IconTree AddIconTree(fakes::SimulatedDesktop& desktop, WindowHandle host,
                     const std::wstring& listTitle = L"FolderView") {
  IconTree tree{host};
  tree.view = desktop.AddChildWindow(host, {L"", L"SHELLDLL_DefView"});
  tree.icons = desktop.AddChildWindow(tree.view, {listTitle, L"SysListView32"});
  return tree;
}

// Tells, at the moment the tray icons are hidden, what the desktop already looks like.
class TrayOrderProbe final : public TrayLibrary {
 public:
  explicit TrayOrderProbe(fakes::SimulatedDesktop& desktop) : desktop_(desktop) {}
  std::vector<WindowHandle> watched;
  std::vector<bool> visibleAtHide;
  int restores = 0;

  void HideTray(std::int32_t, const char*) override {
    for (WindowHandle window : watched) visibleAtHide.push_back(desktop_.IsVisible(window));
  }
  void RestoreTray() override { ++restores; }
  void RestoreMarkedTray() override {}

 private:
  fakes::SimulatedDesktop& desktop_;
};

class ShellSurfacesTest : public ::testing::Test {
 protected:
  ShellSurfacesTest() { desktop.SetVersion(10, 0, 19045); }

  WindowHandle AddProgramManager() { return desktop.AddWindow({L"Program Manager", L"Progman"}); }
  WindowHandle AddWorker(const std::wstring& title = L"") {
    return desktop.AddWindow({title, L"WorkerW"});
  }
  WindowHandle AddTaskbar() { return desktop.AddWindow({L"", L"Shell_TrayWnd"}); }
  bool Logged(const std::wstring& line) const {
    const auto& log = desktop.log();
    return std::find(log.begin(), log.end(), line) != log.end();
  }

  fakes::SimulatedDesktop desktop;
  fakes::SimulatedShell shell{desktop};
  ShellSurfaces surfaces{desktop, shell, desktop, shell};
};

TEST_F(ShellSurfacesTest, EachWindowsVersionSearchesItsOwnDesktopLayout) {
  const WindowHandle programManager = AddProgramManager();
  const IconTree underProgramManager = AddIconTree(desktop, programManager);
  const IconTree underWorker = AddIconTree(desktop, AddWorker());
  struct Case {
    unsigned major, minor, build;
    WindowHandle expected;
  };
  const Case cases[] = {
      {10, 0, 21337, underWorker.icons},          // first build with the worker layout
      {10, 0, 26100, underWorker.icons},          // Windows 11
      {11, 0, 30000, underWorker.icons},          // a later major version
      {10, 0, 21336, underProgramManager.icons},  // Windows 10
      {10, 0, 10240, underProgramManager.icons},
      {6, 1, 7601, underProgramManager.icons},  // Windows 7
      {6, 2, 9200, underProgramManager.icons},  // Windows 8
      {6, 3, 9600, underProgramManager.icons},  // Windows 8.1
      {6, 0, 6002, programManager},             // Vista: the desktop window itself
      {5, 1, 2600, programManager},
  };
  for (const Case& c : cases) {
    desktop.SetVersion(c.major, c.minor, c.build);
    EXPECT_EQ(FindDesktopIconsWindow(shell, desktop), c.expected)
        << c.major << "." << c.minor << "." << c.build;
  }
}

TEST_F(ShellSurfacesTest, WorkerSearchGoesOnPastWorkersWithoutTheIconList) {
  desktop.SetVersion(10, 0, 22631);
  AddIconTree(desktop, AddWorker(L"Titled"));        // only empty titles are searched
  AddWorker();                                       // the wallpaper's worker: no view
  AddIconTree(desktop, AddWorker(), L"Other list");  // a view without "FolderView"
  const IconTree wanted = AddIconTree(desktop, AddWorker());
  AddIconTree(desktop, AddWorker());  // the search stops at the first found

  EXPECT_EQ(FindDesktopIconsWindow(shell, desktop), wanted.icons);
}

TEST_F(ShellSurfacesTest, NoIconListOnTheDesktopMeansNoWindow) {
  desktop.SetVersion(10, 0, 22631);
  AddIconTree(desktop, AddProgramManager());  // in the place of the older layout only
  EXPECT_EQ(FindDesktopIconsWindow(shell, desktop), kNoWindow);

  desktop.SetVersion(6, 0, 6002);
  desktop.Close(desktop.FindByClass(L"Progman"));
  EXPECT_EQ(FindDesktopIconsWindow(shell, desktop), kNoWindow);
}

TEST_F(ShellSurfacesTest, ViewOutsideTheProgramManagerLeavesTheIconsShownAndTheHideGoesOn) {
  AddProgramManager();  // without the shell view
  const IconTree elsewhere = AddIconTree(desktop, AddWorker());
  const WindowHandle taskbar = AddTaskbar();

  surfaces.HideShellSurfaces(true, true, false);

  EXPECT_TRUE(desktop.IsVisible(elsewhere.icons));
  EXPECT_FALSE(desktop.IsVisible(taskbar));
}

TEST_F(ShellSurfacesTest, HidesDesktopIconsThenTaskbarThenTrayIcons) {
  const IconTree tree = AddIconTree(desktop, AddProgramManager());
  const WindowHandle taskbar = AddTaskbar();
  desktop.Window(tree.icons).exStyle = 0x80 | 0x200;
  TrayOrderProbe tray(desktop);
  tray.watched = {tree.icons, taskbar};
  ShellSurfaces ordered{desktop, shell, desktop, tray};

  ordered.HideShellSurfaces(true, true, true);

  const auto& log = desktop.log();
  const auto iconsHidden =
      std::find(log.begin(), log.end(), L"Show " + std::to_wstring(tree.icons) + L" 0");
  const auto taskbarHidden =
      std::find(log.begin(), log.end(), L"Show " + std::to_wstring(taskbar) + L" 0");
  ASSERT_NE(iconsHidden, log.end());
  ASSERT_NE(taskbarHidden, log.end());
  EXPECT_LT(iconsHidden, taskbarHidden);
  EXPECT_EQ(tray.visibleAtHide, (std::vector<bool>{false, false}));
  // The hide of one window: only the tool-window bit is left.
  EXPECT_EQ(desktop.Window(tree.icons).exStyle, 0x80u);
  EXPECT_TRUE(ordered.TrayHidden());
}

TEST_F(ShellSurfacesTest, HidesOnlyWhatIsAskedFor) {
  const IconTree tree = AddIconTree(desktop, AddProgramManager());
  const WindowHandle taskbar = AddTaskbar();

  surfaces.HideShellSurfaces(false, false, false);
  EXPECT_TRUE(desktop.log().empty());
  EXPECT_TRUE(shell.log().empty());

  surfaces.HideShellSurfaces(false, true, false);
  EXPECT_TRUE(desktop.IsVisible(tree.icons));
  EXPECT_FALSE(desktop.IsVisible(taskbar));
  EXPECT_TRUE(shell.log().empty());
  EXPECT_FALSE(surfaces.TrayHidden());
}

TEST_F(ShellSurfacesTest, RestoreShowsIconsAndTaskbarWithToolWindowStyleWhateverWasHidden) {
  const IconTree tree = AddIconTree(desktop, AddProgramManager());
  const WindowHandle taskbar = AddTaskbar();
  desktop.Window(tree.icons).exStyle = 0x200;
  desktop.Window(taskbar).exStyle = 0x8;

  surfaces.HideShellSurfaces(false, true, false);
  desktop.ClearLog();
  surfaces.RestoreShellSurfaces();

  for (WindowHandle window : {tree.icons, taskbar}) {
    EXPECT_TRUE(Logged(L"SetExStyle " + std::to_wstring(window) + L" 0x80"));
    EXPECT_TRUE(Logged(L"Show " + std::to_wstring(window) + L" 8"));  // shown, not activated
    EXPECT_EQ(desktop.Window(window).exStyle, 0x80u);
    EXPECT_TRUE(desktop.IsVisible(window));
  }
  EXPECT_TRUE(shell.log().empty());  // the tray icons were never hidden
}

TEST_F(ShellSurfacesTest, RestoreWithNoShellWindowsDoesNothing) {
  surfaces.RestoreShellSurfaces();
  EXPECT_TRUE(desktop.log().empty());
  EXPECT_TRUE(shell.log().empty());
}

TEST_F(ShellSurfacesTest, TrayIconsAreHiddenOnceAndRestoredAtEveryLaterRestore) {
  surfaces.HideShellSurfaces(false, false, true);
  surfaces.RestoreShellSurfaces();
  surfaces.HideShellSurfaces(false, false, false);
  surfaces.RestoreShellSurfaces();

  EXPECT_EQ(shell.log(),
            (std::vector<std::wstring>{L"HideTray 1 802513", L"RestoreTray", L"RestoreTray"}));
  EXPECT_TRUE(surfaces.TrayHidden());
}

TEST_F(ShellSurfacesTest, ARestartedShellLosesWhatThisHideHadHidden) {
  const WindowHandle oldBar = AddTaskbar();
  surfaces.HideShellSurfaces(false, true, true);
  // The shell restarted: its new taskbar is shown.
  desktop.Close(oldBar);
  const WindowHandle newBar = AddTaskbar();
  shell.ClearLog();

  surfaces.HideAgainAfterShellRestart();
  EXPECT_FALSE(desktop.IsVisible(newBar));
  EXPECT_EQ(shell.log(), std::vector<std::wstring>{L"HideTray 1 802513"});

  // After the restore there is nothing to hide again.
  surfaces.RestoreShellSurfaces();
  shell.ClearLog();
  surfaces.HideAgainAfterShellRestart();
  EXPECT_TRUE(desktop.IsVisible(newBar));
  EXPECT_TRUE(shell.log().empty());
}

TEST_F(ShellSurfacesTest, ARecoveryShowsOnlyTheSurfacesTheDeadRunHid) {
  const IconTree tree = AddIconTree(desktop, AddProgramManager());
  const WindowHandle bar = AddTaskbar();
  desktop.Window(tree.icons).visible = desktop.Window(bar).visible = false;

  surfaces.ShowSurfaces({.desktopIcons = false, .taskbar = true, .trayIcons = true});
  EXPECT_FALSE(desktop.IsVisible(tree.icons));
  EXPECT_TRUE(desktop.IsVisible(bar));
  EXPECT_EQ(desktop.ExStyle(bar), 0x80u);
  EXPECT_EQ(shell.log(), std::vector<std::wstring>{L"RestoreMarkedTray"});
  shell.ClearLog();
  surfaces.ShowSurfaces({.desktopIcons = true, .taskbar = false, .trayIcons = false});
  EXPECT_TRUE(desktop.IsVisible(tree.icons));
  EXPECT_TRUE(shell.log().empty());
}

TEST_F(ShellSurfacesTest, HungTaskbarDoesNotBlockTheHideOrTheRestore) {
  const WindowHandle taskbar = desktop.AddWindow({L"", L"Shell_TrayWnd", true, 0, 7});
  desktop.HangThread(7);

  surfaces.HideShellSurfaces(false, true, false);
  surfaces.RestoreShellSurfaces();

  for (const std::wstring& line : desktop.log())
    EXPECT_EQ(line.find(L"BLOCKED"), std::wstring::npos) << line;
  EXPECT_TRUE(Logged(L"ShowAsync " + std::to_wstring(taskbar) + L" 0"));
  EXPECT_TRUE(Logged(L"ShowAsync " + std::to_wstring(taskbar) + L" 8"));
}

}  // namespace
}  // namespace dpx
