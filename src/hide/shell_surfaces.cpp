#include "hide/shell_surfaces.h"

#include "hide/window_visibility.h"

namespace dpx {
namespace {

constexpr wchar_t kProgramManagerTitle[] = L"Program Manager";
constexpr wchar_t kDefViewClass[] = L"SHELLDLL_DefView";
constexpr wchar_t kListViewClass[] = L"SysListView32";
constexpr wchar_t kFolderViewTitle[] = L"FolderView";
constexpr wchar_t kWorkerClass[] = L"WorkerW";
constexpr wchar_t kTaskbarClass[] = L"Shell_TrayWnd";
// The style the desktop icons and the taskbar get back: exactly WS_EX_TOOLWINDOW.
constexpr std::uint32_t kShellSurfaceExStyle = 128;

enum class DesktopLayout { kWorkerWindows, kProgramManagerChild, kProgramManagerItself };

DesktopLayout LayoutOf(const std::optional<VersionInfo>& version) {
  if (!version) return DesktopLayout::kProgramManagerItself;
  if (version->major >= 10)
    return version->build >= kWorkerDesktopBuild ? DesktopLayout::kWorkerWindows
                                                 : DesktopLayout::kProgramManagerChild;
  if (version->major == 6 && version->minor >= 1 && version->minor <= 3)
    return DesktopLayout::kProgramManagerChild;
  return DesktopLayout::kProgramManagerItself;
}

// The "FolderView" list under the shell view inside `host`, or kNoWindow.
WindowHandle FolderViewIn(WindowSearch& search, WindowHandle host) {
  const WindowHandle view = search.FindWindowAfter(host, kNoWindow, kDefViewClass, L"");
  if (view == kNoWindow) return kNoWindow;
  return search.FindWindowAfter(view, kNoWindow, kListViewClass, kFolderViewTitle);
}

WindowHandle FindUnderWorkerWindows(WindowSearch& search) {
  WindowHandle found = kNoWindow;
  for (WindowHandle worker = search.FindWindowAfter(kNoWindow, kNoWindow, kWorkerClass, L"");
       worker != kNoWindow && found == kNoWindow;
       worker = search.FindWindowAfter(kNoWindow, worker, kWorkerClass, L"")) {
    found = FolderViewIn(search, worker);
  }
  return found;
}

WindowHandle FindProgramManager(WindowSearch& search) {
  return search.FindWindowAfter(kNoWindow, kNoWindow, std::nullopt, kProgramManagerTitle);
}

}  // namespace

WindowHandle FindDesktopIconsWindow(WindowSearch& search, Processes& processes) {
  switch (LayoutOf(processes.Version())) {
    case DesktopLayout::kWorkerWindows:
      return FindUnderWorkerWindows(search);
    case DesktopLayout::kProgramManagerChild: {
      const WindowHandle programManager = FindProgramManager(search);
      return programManager == kNoWindow ? kNoWindow : FolderViewIn(search, programManager);
    }
    case DesktopLayout::kProgramManagerItself:
      break;
  }
  return FindProgramManager(search);
}

WindowHandle ShellSurfaces::FindTaskbar() {
  return windows_.FindByClass(kTaskbarClass);
}

void ShellSurfaces::HideShellSurfaces(bool desktopIcons, bool taskbar, bool trayIcons) {
  hidden_ = {desktopIcons, taskbar, trayIcons};
  ThreadProbe probe(windows_);
  if (desktopIcons) {
    const WindowHandle icons = FindDesktopIconsWindow(search_, processes_);
    if (icons != kNoWindow) HideOneWindow(windows_, probe, icons);
  }
  if (taskbar) {
    const WindowHandle bar = FindTaskbar();
    if (bar != kNoWindow) HideOneWindow(windows_, probe, bar);
  }
  if (trayIcons) {
    trayHidden_ = true;
    tray_.HideTray(kHideTrayValue, kTrayAccessCode);
  }
}

void ShellSurfaces::RestoreShellSurfaces() {
  // Whatever the options were at the hide: the shell's windows get the tool-window style back.
  hidden_ = {};
  ThreadProbe probe(windows_);
  const WindowHandle icons = FindDesktopIconsWindow(search_, processes_);
  if (icons != kNoWindow) ShowOneWindow(windows_, probe, icons, kShellSurfaceExStyle);
  const WindowHandle bar = FindTaskbar();
  if (bar != kNoWindow) ShowOneWindow(windows_, probe, bar, kShellSurfaceExStyle);
  if (trayHidden_) tray_.RestoreTray();
}

void ShellSurfaces::HideAgainAfterShellRestart() {
  const HiddenSurfaces hidden = hidden_;
  if (hidden.desktopIcons || hidden.taskbar || hidden.trayIcons)
    HideShellSurfaces(hidden.desktopIcons, hidden.taskbar, hidden.trayIcons);
}

void ShellSurfaces::ShowSurfaces(const HiddenSurfaces& surfaces) {
  ThreadProbe probe(windows_);
  if (surfaces.desktopIcons) {
    const WindowHandle icons = FindDesktopIconsWindow(search_, processes_);
    if (icons != kNoWindow) ShowOneWindow(windows_, probe, icons, kShellSurfaceExStyle);
  }
  if (surfaces.taskbar) {
    const WindowHandle bar = FindTaskbar();
    if (bar != kNoWindow) ShowOneWindow(windows_, probe, bar, kShellSurfaceExStyle);
  }
  // The library inside the ended process kept its list of hidden icons; they carry DPX's mark.
  if (surfaces.trayIcons) tray_.RestoreMarkedTray();
}

}  // namespace dpx
