#include "ui/win32/session_events_window.h"

namespace dpx::win32 {
namespace {

constexpr wchar_t kClassName[] = L"DpxSessionEvents";
constexpr wchar_t kRestoreMessageName[] = L"DPX.RestoreDesktop";
constexpr wchar_t kTaskbarCreatedName[] = L"TaskbarCreated";
// The running instance's answer to a restore request, so the asker knows it was DPX that handled
// it (an unhandled message answers 0).
constexpr LRESULT kRestoreDone = 0x445058;  // "DPX"

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
    handlers_.restoreRequested();
    return kRestoreDone;
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
  const HWND running = ::FindWindowW(kClassName, nullptr);
  if (!running) return false;
  DWORD_PTR answer = 0;
  const bool answered =
      ::SendMessageTimeoutW(running, ::RegisterWindowMessageW(kRestoreMessageName), 0, 0,
                            SMTO_NORMAL | SMTO_ABORTIFHUNG, static_cast<UINT>(bound.count()),
                            &answer) != 0;
  return answered && answer == static_cast<DWORD_PTR>(kRestoreDone);
}

}  // namespace dpx::win32
