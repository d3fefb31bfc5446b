#include "ui/win32/dialog_window.h"

#include "ui/win32/message_boxes.h"

namespace dpx::win32 {

DialogWindow::~DialogWindow() {
  if (handle_) {
    ::SetWindowLongPtrW(handle_, DWLP_USER, 0);
    ::DestroyWindow(handle_);
  }
}

void DialogWindow::Create(int templateId, HWND parent) {
  ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), parent,
                       &DialogWindow::Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    reinterpret_cast<DialogWindow*>(lParam)->handle_ = window;
  }
  auto* self = reinterpret_cast<DialogWindow*>(::GetWindowLongPtrW(window, DWLP_USER));
  if (!self) return FALSE;
  std::optional<INT_PTR> answer;
  // Errors must not cross the window manager's frames: report them here and go on.
  RunReportingErrors(self->ui_, [&] { answer = self->OnMessage(message, wParam, lParam); });
  if (!answer) return message == WM_INITDIALOG ? TRUE : FALSE;
  // Messages whose answer is a return value rather than TRUE/FALSE go through DWLP_MSGRESULT.
  if (message == WM_NOTIFY || message == WM_QUERYENDSESSION) {
    ::SetWindowLongPtrW(window, DWLP_MSGRESULT, *answer);
    return TRUE;
  }
  return *answer;
}

void ShowOnly(HWND shown, std::initializer_list<HWND> pages) {
  for (HWND page : pages)
    if (page != shown) ::ShowWindow(page, SW_HIDE);
  ::ShowWindow(shown, SW_SHOW);
}

void PlaceOver(HWND page, HWND parent, int frameId) {
  RECT frame{};
  ::GetWindowRect(::GetDlgItem(parent, frameId), &frame);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&frame), 2);
  RECT inset{0, 0, 2, 2};
  ::MapDialogRect(parent, &inset);
  ::SetWindowPos(page, HWND_TOP, frame.left + inset.right, frame.top + inset.bottom,
                 frame.right - frame.left - 2 * inset.right,
                 frame.bottom - frame.top - 2 * inset.bottom, SWP_NOACTIVATE);
}

}  // namespace dpx::win32
