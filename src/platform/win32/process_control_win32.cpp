#include "platform/win32/process_control_win32.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/win32/unique_handle.h"

namespace dpx::win32 {

ProcessId Win32ProcessControl::OwnProcess() {
  return ::GetCurrentProcessId();
}

bool Win32ProcessControl::Terminate(ProcessId process) {
  UniqueHandle handle(::OpenProcess(PROCESS_TERMINATE, FALSE, process));
  if (!handle) return false;
  return ::TerminateProcess(handle.Get(), 0) != FALSE;
}

void Win32ProcessControl::Open(const std::wstring& path, const std::wstring& workingFolder) {
  ::ShellExecuteW(nullptr, L"open", path.c_str(), nullptr,
                  workingFolder.empty() ? nullptr : workingFolder.c_str(), SW_SHOW);
}

}  // namespace dpx::win32
