#include "platform/win32/hover_input_win32.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace dpx::win32 {

std::optional<ScreenPoint> Win32HoverInput::CursorPosition() {
  POINT point{};
  if (!::GetCursorPos(&point)) return std::nullopt;
  return ScreenPoint{point.x, point.y};
}

ScreenSize Win32HoverInput::PrimaryScreenSize() {
  return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

std::uint32_t Win32HoverInput::TickCount() {
  return ::GetTickCount();
}

bool Win32HoverInput::IsDesktopLocked() {
  const UniqueDesktop desktop(::OpenDesktopW(L"default", 0, FALSE, DESKTOP_SWITCHDESKTOP));
  // Not knowing is taken as unlocked, so the corners keep working.
  if (!desktop) return false;
  // The user's desktop cannot be switched to while the workstation is locked or a screen saver
  // runs on its own desktop.
  return ::SwitchDesktop(desktop.Get()) == FALSE;
}

}  // namespace dpx::win32
