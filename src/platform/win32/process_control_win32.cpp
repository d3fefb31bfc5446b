#include "platform/win32/process_control_win32.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/win32/com_owner.h"

namespace dpx::win32 {
namespace {

constexpr DWORD kStartAtEndBoundMs = 2000;

struct StartRequest {
  std::wstring path;
  std::wstring workingFolder;
};

// Owns its request. The shell wants COM on the thread that calls it (extensions, associations).
DWORD WINAPI StartProgram(void* parameter) {
  const std::unique_ptr<StartRequest> request(static_cast<StartRequest*>(parameter));
  const ComApartment apartment;
  ::ShellExecuteW(nullptr, L"open", request->path.c_str(), nullptr,
                  request->workingFolder.empty() ? nullptr : request->workingFolder.c_str(),
                  SW_SHOW);
  return 0;
}

bool HasEnded(const UniqueHandle& thread) {
  return ::WaitForSingleObject(thread.Get(), 0) == WAIT_OBJECT_0;
}

}  // namespace

Win32ProcessControl::~Win32ProcessControl() {
  for (const UniqueHandle& thread : starts_)
    ::WaitForSingleObject(thread.Get(), kStartAtEndBoundMs);
}

ProcessId Win32ProcessControl::OwnProcess() {
  return ::GetCurrentProcessId();
}

bool Win32ProcessControl::Terminate(ProcessId process) {
  UniqueHandle handle(::OpenProcess(PROCESS_TERMINATE, FALSE, process));
  if (!handle) return false;
  return ::TerminateProcess(handle.Get(), 0) != FALSE;
}

void Win32ProcessControl::Open(const std::wstring& path, const std::wstring& workingFolder) {
  std::erase_if(starts_, HasEnded);
  auto request = std::make_unique<StartRequest>(StartRequest{path, workingFolder});
  UniqueHandle thread(::CreateThread(nullptr, 0, StartProgram, request.get(), 0, nullptr));
  if (!thread) {
    // No thread to be had: start it here rather than not at all.
    StartProgram(request.release());
    return;
  }
  request.release();  // the thread owns it now
  starts_.push_back(std::move(thread));
}

}  // namespace dpx::win32
