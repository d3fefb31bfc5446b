#include "shell_watch.h"

#include <cwchar>

#include "receiver.h"

namespace dozov {
namespace {

// Under Wine a window's showing is found by this poll: the longest it stays on the screen before
// DPX hears of it, on top of DPX's own dispatch.
constexpr UINT kPollMilliseconds = 50;

// The callbacks of window events and thread timers carry no context, so the tracker of this
// process's one watch is found here. Set and cleared on the watching thread only.
NewWindowTracker* activeTracker = nullptr;

HWND ToHwnd(Window window) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(window));
}
Window FromHwnd(HWND window) {
  return reinterpret_cast<UINT_PTR>(window);
}

void ReportToReceiver(Window window, ShellCode code) {
  PostToReceiver(L"MY_SHELL_EVENT", static_cast<WPARAM>(window), static_cast<LPARAM>(code));
}

bool IsInputMethodClass(const wchar_t* className) {
  return std::wcscmp(className, L"IME") == 0 || std::wcscmp(className, L"MSCTFIME UI") == 0;
}

}  // namespace

bool ShellWatch::Queries::IsCandidate(Window window) {
  const HWND hwnd = ToHwnd(window);
  if (!::IsWindow(hwnd)) return false;
  // A child's parent is another window; a message-only window's is the message root.
  if (::GetAncestor(hwnd, GA_PARENT) != ::GetDesktopWindow()) return false;
  if (::GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) return false;
  wchar_t className[64] = L"";
  ::GetClassNameW(hwnd, className, 64);
  return !IsInputMethodClass(className);
}

bool ShellWatch::Queries::IsVisible(Window window) {
  return ::IsWindowVisible(ToHwnd(window)) != FALSE;
}

bool ShellWatch::Queries::Exists(Window window) {
  return ::IsWindow(ToHwnd(window)) != FALSE;
}

Window ShellWatch::Queries::Foreground() {
  return FromHwnd(::GetForegroundWindow());
}

ShellWatch::ShellWatch() : tracker_(queries_, ReportToReceiver) {
  activeTracker = &tracker_;
  objectEvents_.Reset(::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, nullptr,
                                        OnWindowEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
  foregroundEvents_.Reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND,
                                            nullptr, OnWindowEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
  pollTimer_.Reset(::SetTimer(nullptr, 0, kPollMilliseconds, OnPollTimer));
}

ShellWatch::~ShellWatch() {
  pollTimer_.Reset();
  foregroundEvents_.Reset();
  objectEvents_.Reset();
  if (activeTracker == &tracker_) activeTracker = nullptr;
}

void CALLBACK ShellWatch::OnWindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                        LONG child, DWORD, DWORD) {
  if (!activeTracker || object != OBJID_WINDOW || child != CHILDID_SELF || !window) return;
  switch (event) {
    case EVENT_OBJECT_CREATE:
      activeTracker->Created(FromHwnd(window));
      break;
    case EVENT_OBJECT_SHOW:
      activeTracker->Shown(FromHwnd(window));
      break;
    case EVENT_OBJECT_DESTROY:
      activeTracker->Destroyed(FromHwnd(window));
      break;
    case EVENT_SYSTEM_FOREGROUND:
      activeTracker->ForegroundChanged();
      break;
  }
}

void CALLBACK ShellWatch::OnPollTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (activeTracker) activeTracker->Poll();
}

}  // namespace dozov
