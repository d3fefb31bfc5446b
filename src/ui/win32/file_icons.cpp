#include "ui/win32/file_icons.h"

#include <shellapi.h>

namespace dpx::win32 {

UniqueIcon GetFileSmallIcon(const std::wstring& path) {
  SHFILEINFOW info{};  // 692 bytes in the 64-bit layout
  ::SHGetFileInfoW(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                   SHGFI_SYSICONINDEX | SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON);
  return UniqueIcon(info.hIcon);
}

}  // namespace dpx::win32
