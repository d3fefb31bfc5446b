#include "platform/win32/key_names_win32.h"

#include <windows.h>

namespace dpx::win32 {

std::wstring Win32KeyNames::KeyName(unsigned keyCode) {
  const UINT scanCode = ::MapVirtualKeyW(keyCode, MAPVK_VK_TO_VSC);
  if (scanCode == 0) return {};
  // The scan code alone: without the extended-key bit the numeric-pad divide key is named "/"
  // like the main slash key, and left and right keys are told apart by nothing else.
  wchar_t buffer[256] = {};
  const int length = ::GetKeyNameTextW(static_cast<LONG>(scanCode << 16), buffer, 256);
  if (length <= 0) return {};
  return std::wstring(buffer, static_cast<std::size_t>(length));
}

}  // namespace dpx::win32
