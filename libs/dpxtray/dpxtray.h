// dpxtray.dll: hides the icons of the notification area and shows them again. dpx.exe imports it
// by name; the exports are undecorated and use the standard Windows calling convention.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

#ifdef DPXTRAY_BUILDING
#define DPXTRAY_API
#else
#define DPXTRAY_API __declspec(dllimport)
#endif

// The value HideTray expects, and the access code a caller must pass with it.
#define DPXTRAY_HIDE_VALUE 1
#define DPXTRAY_ACCESS_CODE "802513"

// Hides every notification-area icon window that is visible now and keeps them to be shown again.
// A call with another value or without the access code (a null pointer included) is refused and
// changes nothing. Returns 1 when the icons were hidden, 0 when the call was refused.
DPXTRAY_API int __stdcall HideTray(int value, const char* accessCode);

// Shows again exactly the windows that HideTray hid and that still exist, then forgets them.
// Returns the number of windows shown again.
DPXTRAY_API int __stdcall RestoreTray(void);

// After a DPX that had hidden the icons ended without showing them (killed): shows again every
// notification-area icon window that is hidden and carries DPX's window mark, which HideTray
// leaves on each window it hides. Returns the number of windows shown again.
DPXTRAY_API int __stdcall RestoreMarkedTray(void);

#ifdef __cplusplus
}
#endif
