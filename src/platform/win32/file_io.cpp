#include "platform/file_io.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace dpx {
namespace {

[[noreturn]] void Fail(const wchar_t* what, const std::wstring& path) {
  throw IoError(win32::Narrow(std::wstring(what) + L" " + path + L": " +
                              win32::SystemMessage(::GetLastError())));
}

}  // namespace

bool FileExists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<unsigned char> ReadWholeFile(const std::wstring& path, std::size_t limit) {
  win32::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Fail(L"Cannot open", path);
  std::vector<unsigned char> bytes;
  unsigned char chunk[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr)) Fail(L"Cannot read", path);
    if (read == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + read);
    if (bytes.size() > limit) throw IoError(win32::Narrow(L"Too large to read: " + path));
  }
  return bytes;
}

void WriteFileAtomically(const std::wstring& path, const std::vector<unsigned char>& bytes) {
  const std::wstring temp = path + L".tmp";
  {
    win32::UniqueFileHandle file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) Fail(L"Cannot create", temp);
    DWORD written = 0;
    const bool ok = ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                &written, nullptr) &&
                    written == bytes.size() && ::FlushFileBuffers(file.Get());
    if (!ok) {
      const DWORD error = ::GetLastError();
      file.Reset();
      ::DeleteFileW(temp.c_str());
      ::SetLastError(error);
      Fail(L"Cannot write", temp);
    }
  }
  if (!::MoveFileExW(temp.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temp.c_str());
    ::SetLastError(error);
    Fail(L"Cannot replace", path);
  }
}

void RemoveFile(const std::wstring& path) {
  if (!::DeleteFileW(path.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
    Fail(L"Cannot delete", path);
}

void MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
  if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    Fail(L"Cannot rename", from);
}

}  // namespace dpx
