#include "platform/win32/process_control_win32.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/win32/com_owner.h"
#include "platform/win32/window_manager_win32.h"

namespace dpx::win32 {
namespace {

constexpr DWORD kStartAtEndBoundMs = 2000;
// A program slower than this to show its first window is left to take the foreground itself.
constexpr DWORD kFirstWindowBoundMs = 15000;
constexpr DWORD kFirstWindowPollMs = 50;
constexpr wchar_t kClassName[] = L"DpxProgramStarts";
// wParam: the first window (0 when none showed); lParam: the start's number.
constexpr UINT kFirstWindowMessage = WM_APP + 1;

struct StartRequest {
  std::wstring path;
  std::wstring workingFolder;
  HWND reportTo = nullptr;  // none: nobody waits for the window
  std::uint64_t start = 0;
  UniqueHandle stopping;  // this thread's own copy
};

struct ProcessWindowSearch {
  DWORD process = 0;
  HWND found = nullptr;
};

BOOL CALLBACK FindShownWindowOf(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<ProcessWindowSearch*>(parameter);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !::IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// The process's first visible top-level window once its thread has finished showing it; null
// when the process ends, DPX ends or the bound passes first.
HWND WaitForFirstWindow(const UniqueHandle& process, const UniqueHandle& stopping) {
  ProcessWindowSearch search{::GetProcessId(process.Get()), nullptr};
  const HANDLE endings[] = {process.Get(), stopping.Get()};
  const ULONGLONG deadline = ::GetTickCount64() + kFirstWindowBoundMs;
  for (ULONGLONG now = ::GetTickCount64(); now < deadline; now = ::GetTickCount64()) {
    ::EnumWindows(FindShownWindowOf, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      // Visible already while its ShowWindow still runs: given the foreground then, Wine leaves
      // no window with it. Once the thread answers, the show is over.
      DWORD_PTR ignored = 0;
      return ::SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                   static_cast<UINT>(deadline - now), &ignored)
                 ? search.found
                 : nullptr;
    }
    // Waiting on the process, not sleeping: its end stops the search at once.
    if (::WaitForMultipleObjects(2, endings, FALSE, kFirstWindowPollMs) != WAIT_TIMEOUT)
      return nullptr;
  }
  return nullptr;
}

// Owns its request. The shell wants COM on the thread that calls it (extensions, associations).
DWORD WINAPI StartProgram(void* parameter) {
  const std::unique_ptr<StartRequest> request(static_cast<StartRequest*>(parameter));
  HWND shown = nullptr;
  {
    const ComApartment apartment;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // The process handle, when the open started one; none when a running program took the file.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = request->path.c_str();
    info.lpDirectory = request->workingFolder.empty() ? nullptr : request->workingFolder.c_str();
    info.nShow = SW_SHOW;
    if (::ShellExecuteExW(&info)) {
      const UniqueHandle process(info.hProcess);
      if (process && request->reportTo) shown = WaitForFirstWindow(process, request->stopping);
    }
  }
  // Also when nothing showed, so the waiting callback is dropped.
  if (request->reportTo)
    ::PostMessageW(request->reportTo, kFirstWindowMessage, reinterpret_cast<WPARAM>(shown),
                   static_cast<LPARAM>(request->start));
  return 0;
}

bool HasEnded(const UniqueHandle& thread) {
  return ::WaitForSingleObject(thread.Get(), 0) == WAIT_OBJECT_0;
}

void RegisterStartsClass(WNDPROC procedure) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  // A second registration fails harmlessly: the class is already there.
  ::RegisterClassW(&windowClass);
}

UniqueHandle Duplicate(const UniqueHandle& handle) {
  HANDLE copy = nullptr;
  ::DuplicateHandle(::GetCurrentProcess(), handle.Get(), ::GetCurrentProcess(), &copy, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
  return UniqueHandle(copy);
}

}  // namespace

Win32ProcessControl::Win32ProcessControl()
    : stopping_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  RegisterStartsClass(Procedure);
  window_.Reset(::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr));
  if (window_) ::SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32ProcessControl::~Win32ProcessControl() {
  if (stopping_) ::SetEvent(stopping_.Get());
  for (const UniqueHandle& thread : starts_)
    ::WaitForSingleObject(thread.Get(), kStartAtEndBoundMs);
}

LRESULT CALLBACK Win32ProcessControl::Procedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  auto* self = reinterpret_cast<Win32ProcessControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message == kFirstWindowMessage) {
    self->OnFirstWindow(static_cast<std::uint64_t>(lParam), reinterpret_cast<HWND>(wParam));
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void Win32ProcessControl::OnFirstWindow(std::uint64_t start, HWND shown) {
  const auto found = waiting_.find(start);
  if (found == waiting_.end()) return;
  const WindowShown firstWindowShown = std::move(found->second);
  waiting_.erase(found);
  // Gone again in the time the message took: nothing to give the foreground to.
  if (shown && ::IsWindow(shown) && firstWindowShown) firstWindowShown(FromHwnd(shown));
}

ProcessId Win32ProcessControl::OwnProcess() {
  return ::GetCurrentProcessId();
}

bool Win32ProcessControl::Terminate(ProcessId process) {
  UniqueHandle handle(::OpenProcess(PROCESS_TERMINATE, FALSE, process));
  if (!handle) return false;
  return ::TerminateProcess(handle.Get(), 0) != FALSE;
}

void Win32ProcessControl::Open(const std::wstring& path, const std::wstring& workingFolder,
                               WindowShown firstWindowShown) {
  std::erase_if(starts_, HasEnded);
  auto request = std::make_unique<StartRequest>();
  request->path = path;
  request->workingFolder = workingFolder;
  const std::uint64_t start = ++nextStart_;
  if (firstWindowShown && window_ && stopping_) {
    request->reportTo = window_.Get();
    request->start = start;
    request->stopping = Duplicate(stopping_);
    if (!request->stopping) request->reportTo = nullptr;
  }
  if (request->reportTo) waiting_.emplace(start, std::move(firstWindowShown));
  UniqueHandle thread(::CreateThread(nullptr, 0, StartProgram, request.get(), 0, nullptr));
  if (!thread) {
    waiting_.erase(start);
    // No thread to be had: start it here rather than not at all, without waiting for its window.
    request->reportTo = nullptr;
    StartProgram(request.release());
    return;
  }
  request.release();  // the thread owns it now
  starts_.push_back(std::move(thread));
}

}  // namespace dpx::win32
