#include "notification_area.h"

#include <cwchar>

namespace dpxtray {
namespace {

constexpr const wchar_t* kIconHolderClasses[] = {L"SysPager", L"ToolbarWindow32", L"Button"};
constexpr const wchar_t* kIconPanelClasses[] = {L"NotifyIconOverflowWindow",
                                                L"TopLevelWindowForOverflowXamlIsland",
                                                L"__winex11_standalone_tray"};

bool HasClass(HWND window, const wchar_t* className) {
  wchar_t name[64];
  const int length = ::GetClassNameW(window, name, 64);
  return length > 0 && ::_wcsicmp(name, className) == 0;
}

// Every icon window, or only the visible ones.
struct IconWindowList {
  bool visibleOnly;
  std::vector<HWND> windows;

  void Add(HWND window) {
    if (!visibleOnly || ::IsWindowVisible(window)) windows.push_back(window);
  }
};

void AddTrayIconHolders(IconWindowList& windows, HWND taskbar) {
  const HWND tray = ::FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr);
  if (!tray) return;
  for (HWND child = ::FindWindowExW(tray, nullptr, nullptr, nullptr); child;
       child = ::FindWindowExW(tray, child, nullptr, nullptr)) {
    for (const wchar_t* holder : kIconHolderClasses)
      if (HasClass(child, holder)) windows.Add(child);
  }
}

std::vector<HWND> FindIconWindows(bool visibleOnly) {
  IconWindowList windows{visibleOnly, {}};
  // Every taskbar, not only the first: the secondary ones of other screens carry no tray and are
  // skipped by the lookup inside.
  for (HWND taskbar = ::FindWindowExW(nullptr, nullptr, L"Shell_TrayWnd", nullptr); taskbar;
       taskbar = ::FindWindowExW(nullptr, taskbar, L"Shell_TrayWnd", nullptr)) {
    AddTrayIconHolders(windows, taskbar);
  }
  for (const wchar_t* panelClass : kIconPanelClasses) {
    for (HWND panel = ::FindWindowExW(nullptr, nullptr, panelClass, nullptr); panel;
         panel = ::FindWindowExW(nullptr, panel, panelClass, nullptr)) {
      windows.Add(panel);
    }
  }
  return windows.windows;
}

}  // namespace

std::vector<HWND> VisibleIconWindows() {
  return FindIconWindows(/*visibleOnly=*/true);
}

std::vector<HWND> AllIconWindows() {
  return FindIconWindows(/*visibleOnly=*/false);
}

}  // namespace dpxtray
