#include "ui/win32/session_events_window.h"

#include <algorithm>

namespace dpx::win32 {
namespace {

constexpr wchar_t kClassName[] = L"DpxSessionEvents";
constexpr wchar_t kRestoreMessageName[] = L"DPX.RestoreDesktop";
constexpr wchar_t kTaskbarCreatedName[] = L"TaskbarCreated";
// The running instance's answers to a restore request, so the asker knows it was DPX that
// handled it (an unhandled message answers 0).
constexpr LRESULT kRestoreDone = 0x445058;       // "DPX"
constexpr LRESULT kRestoreFailed = 0x445046;     // "DPF"
constexpr LRESULT kRestoreAfterPass = 0x445050;  // "DPP"
// How often the asker looks for a starting instance's window, and asks again behind a pass.
constexpr std::chrono::milliseconds kAskAgainAfter{100};

LRESULT AnswerOf(RestoreOutcome outcome) {
  switch (outcome) {
    case RestoreOutcome::kRestored:
      return kRestoreDone;
    case RestoreOutcome::kAfterPass:
      return kRestoreAfterPass;
    case RestoreOutcome::kFailed:
      break;
  }
  return kRestoreFailed;
}

std::chrono::milliseconds Left(std::chrono::steady_clock::time_point deadline) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                               std::chrono::steady_clock::now());
}

// The running instance's answer, or 0 when it did not answer before `deadline`.
DWORD_PTR SendRestoreRequest(HWND running, std::chrono::steady_clock::time_point deadline) {
  DWORD_PTR answer = 0;
  const auto bound = std::max<long long>(Left(deadline).count(), 1);
  if (!::SendMessageTimeoutW(running, ::RegisterWindowMessageW(kRestoreMessageName), 0, 0,
                             SMTO_NORMAL | SMTO_ABORTIFHUNG, static_cast<UINT>(bound), &answer))
    return 0;
  return answer;
}

}  // namespace

void SessionEventsWindow::Create() {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  restoreMessage_ = ::RegisterWindowMessageW(kRestoreMessageName);
  taskbarCreatedMessage_ = ::RegisterWindowMessageW(kTaskbarCreatedName);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  ::RegisterClassExW(&windowClass);
  window_.Reset(::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, instance, this));
}

LRESULT CALLBACK SessionEventsWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<SessionEventsWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  return self->OnMessage(window, message, wParam, lParam);
}

LRESULT SessionEventsWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == restoreMessage_ && restoreMessage_ != 0) {
    LRESULT answer = kRestoreFailed;
    handlers_.restoreRequested([&answer](RestoreOutcome outcome) {
      answer = AnswerOf(outcome);
      // The asker goes on now; what the handler shows next does not hold it up.
      if (::InSendMessage()) ::ReplyMessage(answer);
    });
    return answer;
  }
  if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ != 0) {
    handlers_.shellRestarted();
    return 0;
  }
  if (message == WM_QUERYENDSESSION) {
    // The desktop comes back before the session is told it may end.
    handlers_.sessionEnding();
    return TRUE;
  }
  if (message == WM_DESTROY) ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

bool AskRunningInstanceToRestore(std::chrono::milliseconds bound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  // An instance that holds the mutex makes this window right after its own recovery.
  HWND running = ::FindWindowW(kClassName, nullptr);
  while (!running && Left(deadline).count() > 0) {
    ::Sleep(static_cast<DWORD>(kAskAgainAfter.count()));
    running = ::FindWindowW(kClassName, nullptr);
  }
  if (!running) return false;
  DWORD_PTR answer = SendRestoreRequest(running, deadline);
  // Requests kept behind one pass merge into one restore, so asking again is safe.
  while (answer == static_cast<DWORD_PTR>(kRestoreAfterPass) && Left(deadline).count() > 0) {
    ::Sleep(static_cast<DWORD>(kAskAgainAfter.count()));
    answer = SendRestoreRequest(running, deadline);
  }
  return answer == static_cast<DWORD_PTR>(kRestoreDone);
}

}  // namespace dpx::win32
