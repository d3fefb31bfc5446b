#include "platform/win32/key_state_win32.h"

#include <windows.h>

namespace dpx::win32 {

bool Win32KeyState::IsKeyDown(unsigned keyCode) {
  // The high bit: down now.
  return ::GetAsyncKeyState(static_cast<int>(keyCode)) < 0;
}

}  // namespace dpx::win32
