#include "platform/win32/system_folders_win32.h"

#include <shlobj.h>
#include <windows.h>

namespace dpx::win32 {
namespace {

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::optional<std::wstring> Win32SystemFolders::ApplicationDataFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE)) return std::nullopt;
  return std::wstring(folder);
}

std::wstring Win32SystemFolders::ProgramFilePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // cut short: a long path
  }
}

bool Win32SystemFolders::CreateFolderWithParents(const std::wstring& path) {
  std::wstring folder = path;
  while (folder.ends_with(L'\\')) folder.pop_back();
  // Drive roots ("C:") and the empty path need no creating; neither does a folder that exists.
  if (folder.empty() || folder.ends_with(L':') || IsFolder(folder)) return true;
  // The parent of a relative one-level path is the current directory.
  const auto slash = folder.find_last_of(L'\\');
  if (slash != std::wstring::npos && slash > 0 &&
      !CreateFolderWithParents(folder.substr(0, slash))) {
    return false;
  }
  return ::CreateDirectoryW(folder.c_str(), nullptr) || IsFolder(folder);
}

}  // namespace dpx::win32
