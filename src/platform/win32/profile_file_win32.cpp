#include "platform/win32/profile_file_win32.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

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

bool Win32ProfileFile::StageCopy(const std::wstring& from, const std::wstring& staged) {
  Discard(staged);
  if (::GetFileAttributesW(from.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  // The copy keeps the file's attributes, so a read-only settings file still refuses the save.
  return ::CopyFileW(from.c_str(), staged.c_str(), FALSE) != FALSE;
}

bool Win32ProfileFile::Commit(const std::wstring& staged, const std::wstring& target) {
  // Three nulls make the profile calls write out and forget what they hold of the file.
  ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, staged.c_str());
  // On the disk before it replaces the old file: a power cut right after the rename must not
  // leave an empty "dpx.dat". Shared every way: the profile calls may still hold the file open.
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  const UniqueFileHandle file(::CreateFileW(staged.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || !::FlushFileBuffers(file.Get())) return false;
  return ::MoveFileExW(staged.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void Win32ProfileFile::Discard(const std::wstring& staged) {
  ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, staged.c_str());
  ::SetFileAttributesW(staged.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(staged.c_str());
}

}  // namespace dpx::win32
