#include "platform/win32/processes_win32.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include "platform/win32/unique_handle.h"

namespace dpx::win32 {

std::optional<VersionInfo> Win32Processes::Version() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;  // 276 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExW(&info)) return std::nullopt;
#pragma GCC diagnostic pop
  return VersionInfo{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
                     info.dwPlatformId};
}

std::optional<std::vector<SnapshotEntry>> Win32Processes::Snapshot() {
  UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return std::nullopt;
  std::vector<SnapshotEntry> entries;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;  // 556 bytes
  for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
       more = ::Process32NextW(snapshot.Get(), &entry)) {
    entries.push_back({entry.th32ProcessID, entry.szExeFile});
  }
  return entries;
}

std::optional<std::vector<ProcessId>> Win32Processes::ProcessIds() {
  DWORD ids[1024];
  DWORD bytes = 0;
  if (!::EnumProcesses(ids, sizeof ids, &bytes)) return std::nullopt;
  return std::vector<ProcessId>(ids, ids + bytes / sizeof(DWORD));
}

std::optional<std::wstring> Win32Processes::ImageFileName(ProcessId process) {
  UniqueHandle handle(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process));
  if (!handle) return std::nullopt;
  wchar_t buffer[301];
  const DWORD length = ::GetProcessImageFileNameW(handle.Get(), buffer, 301);
  if (length == 0) return std::nullopt;
  return std::wstring(buffer, length);
}

std::optional<std::wstring> Win32Processes::DosDevice(const std::wstring& drive) {
  wchar_t buffer[260];
  if (::QueryDosDeviceW(drive.c_str(), buffer, 260) == 0) return std::nullopt;
  return std::wstring(buffer);  // the first of the returned strings
}

}  // namespace dpx::win32
