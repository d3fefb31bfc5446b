#include "platform/win32/foreground_win32.h"

#include <windows.h>

#include "platform/win32/setting_change.h"
#include "platform/win32/window_manager_win32.h"

namespace dpx::win32 {

WindowHandle Win32Foreground::ForegroundWindow() {
  return FromHwnd(::GetForegroundWindow());
}

bool Win32Foreground::IsWindow(WindowHandle window) {
  return ::IsWindow(ToHwnd(window)) != FALSE;
}

bool Win32Foreground::IsMinimized(WindowHandle window) {
  return ::IsIconic(ToHwnd(window)) != FALSE;
}

void Win32Foreground::SetForegroundLockTimeout(std::uint32_t milliseconds) {
  // The value travels in the pointer argument; not written to the user profile. The change is
  // announced without waiting: SPIF_SENDCHANGE would wait on every top-level window, hung ones
  // included, in the middle of a hide or a restore.
  ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<PVOID>(static_cast<UINT_PTR>(milliseconds)), 0);
  AnnounceSettingChange(SPI_SETFOREGROUNDLOCKTIMEOUT);
}

void Win32Foreground::SetForegroundWindow(WindowHandle window) {
  ::SetForegroundWindow(ToHwnd(window));
}

}  // namespace dpx::win32
