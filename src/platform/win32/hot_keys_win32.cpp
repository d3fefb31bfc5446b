#include "platform/win32/hot_keys_win32.h"

namespace dpx::win32 {

bool Win32HotKeys::Register(int id, unsigned modifiers, unsigned keyCode) {
  return ::RegisterHotKey(window_, id, modifiers, keyCode) != FALSE;
}

void Win32HotKeys::Unregister(int id) {
  ::UnregisterHotKey(window_, id);
}

}  // namespace dpx::win32
