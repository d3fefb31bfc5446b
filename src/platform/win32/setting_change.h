#pragma once

#include <windows.h>

namespace dpx::win32 {

// Tells every top-level window that a system parameter changed, without waiting for any of them:
// the notice is queued for other threads, so a hung program cannot hold DPX up. No section
// name: a message sent this way cannot carry a pointer across processes.
inline void AnnounceSettingChange(UINT parameter) {
  ::SendNotifyMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, parameter, 0);
}

}  // namespace dpx::win32
