#include "platform/win32/hot_keys_win32.h"

namespace dpx::win32 {
namespace {

// Windows 7 and later send no WM_HOTKEY for the auto-repeat of a held key with it; older systems
// refuse the flag. Wine takes it and repeats anyway (DPX filters the repeats itself).
constexpr UINT kModNoRepeat = 0x4000;

}  // namespace

bool Win32HotKeys::Register(int id, unsigned modifiers, unsigned keyCode) {
  if (::RegisterHotKey(window_, id, modifiers | kModNoRepeat, keyCode) != FALSE) return true;
  // Taken by another program: without the flag it is taken all the same.
  if (::GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED) return false;
  return ::RegisterHotKey(window_, id, modifiers, keyCode) != FALSE;
}

void Win32HotKeys::Unregister(int id) {
  ::UnregisterHotKey(window_, id);
}

}  // namespace dpx::win32
