#pragma once

#include <windows.h>

#include <vector>

namespace dpxtray {

// The windows that show notification-area icons and are visible now:
// - on Windows 7 to 10 (and 11 where the taskbar keeps the classic tray), the children of the
//   taskbar's "TrayNotifyWnd" that hold icons: the "SysPager" with the icon toolbar, the icon
//   toolbars that sit directly in it and the "Button" that opens the hidden icons;
// - the overflow panels of hidden icons ("NotifyIconOverflowWindow", and Windows 11's
//   "TopLevelWindowForOverflowXamlIsland") while they are open;
// - under Wine without a taskbar, the standalone "Wine System Tray" window, which holds nothing
//   but the icons.
// The clock and the other buttons of the notification area are left alone.
std::vector<HWND> VisibleIconWindows();
// The same windows, shown or hidden.
std::vector<HWND> AllIconWindows();

}  // namespace dpxtray
