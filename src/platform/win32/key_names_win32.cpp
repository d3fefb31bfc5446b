#include "platform/win32/key_names_win32.h"

#include <windows.h>

namespace dpx::win32 {
namespace {

constexpr LPARAM kExtendedKeyBit = 1 << 24;

// The key's scan code in GetKeyNameTextW's form, with the extended-key bit where the layout sets
// it: without that bit Volume Mute is named after the scan code it shares with "D".
LONG KeyNameParameter(unsigned keyCode) {
  const UINT scanCode = ::MapVirtualKeyW(keyCode, MAPVK_VK_TO_VSC_EX);
  if ((scanCode & 0xFF) == 0) return 0;
  const UINT prefix = scanCode >> 8;
  const bool extended = prefix == 0xE0 || prefix == 0xE1;
  return static_cast<LONG>(((scanCode & 0xFF) << 16) | (extended ? kExtendedKeyBit : 0));
}

}  // namespace

std::wstring Win32KeyNames::KeyName(unsigned keyCode) {
  const LONG parameter = KeyNameParameter(keyCode);
  if (parameter == 0) return {};
  wchar_t buffer[256] = {};
  const int length = ::GetKeyNameTextW(parameter, buffer, 256);
  if (length <= 0) return {};
  return std::wstring(buffer, static_cast<std::size_t>(length));
}

}  // namespace dpx::win32
