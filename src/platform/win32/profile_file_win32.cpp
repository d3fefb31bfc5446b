#include "platform/win32/profile_file_win32.h"

#include <windows.h>

namespace dpx::win32 {

std::wstring Win32ProfileFile::ReadString(const std::wstring& path, const std::wstring& section,
                                          const std::wstring& key,
                                          const std::wstring& defaultValue) {
  constexpr DWORD kBufferCharacters = 2048;
  std::wstring value(kBufferCharacters, L'\0');
  const DWORD length =
      ::GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), value.data(),
                                 kBufferCharacters, path.c_str());
  value.resize(length);
  return value;
}

bool Win32ProfileFile::WriteString(const std::wstring& path, const std::wstring& section,
                                   const std::wstring& key, const std::wstring& value) {
  return ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()) !=
         FALSE;
}

}  // namespace dpx::win32
