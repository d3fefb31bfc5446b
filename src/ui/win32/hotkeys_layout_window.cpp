#include "ui/win32/hotkeys_layout_window.h"

#include "common/window_geometry.h"
#include "ui/win32/pictures.h"
#include "ui/win32/resource.h"

namespace dpx::win32 {
namespace {

ScreenRect OuterRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

void CenterWindowOver(HWND base, HWND placed) {
  const ScreenPoint at =
      CenterFormOver(OuterRect(base), OuterRect(placed), ::GetSystemMetrics(SM_CXSCREEN),
                     ::GetSystemMetrics(SM_CYSCREEN));
  ::SetWindowPos(placed, nullptr, at.left, at.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HotkeysLayoutWindow::Create(HWND owner) {
  DialogWindow::Create(IDD_HOTKEYS_LAYOUT, owner);
}

void HotkeysLayoutWindow::ShowOver(HWND base) {
  CenterWindowOver(base, Handle());
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(Handle());
}

std::optional<INT_PTR> HotkeysLayoutWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      // A title bar would show it; the caption still names the window to the system.
      ::SetWindowTextW(Handle(), L"Defualt Hotkeys");
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      DrawKeyboard(item->hDC, item->rcItem);
      return TRUE;
    }
    case WM_COMMAND:
      // "Close", and Enter or Esc while it has the focus.
      if (LOWORD(wParam) == IDC_BTN_LAYOUT_CLOSE || LOWORD(wParam) == IDCANCEL ||
          LOWORD(wParam) == IDOK) {
        ::ShowWindow(Handle(), SW_HIDE);
      }
      return TRUE;
  }
  return std::nullopt;
}

}  // namespace dpx::win32
