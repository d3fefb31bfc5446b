#include "ui/win32/application_window.h"

#include "ui/win32/app_icon.h"
#include "ui/win32/message_boxes.h"

namespace dpx::win32 {
namespace {

constexpr wchar_t kClassName[] = L"DpxApplication";

HWND MainWindowOf(HWND application) {
  return reinterpret_cast<HWND>(::GetWindowLongPtrW(application, GWLP_USERDATA));
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
      if (HWND main = MainWindowOf(window); main && ::IsWindowVisible(main)) ::SetFocus(main);
      return 0;
    case WM_SYSCOMMAND:
      // Shown and hidden as a whole, never minimised or maximised.
      if ((wParam & 0xFFF0) == SC_MINIMIZE || (wParam & 0xFFF0) == SC_MAXIMIZE) return 0;
      break;
    case WM_CLOSE:
      // The taskbar's close runs the main window's close, with its close query.
      if (HWND main = MainWindowOf(window)) ::SendMessageW(main, WM_CLOSE, 0, 0);
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void ApplicationWindow::Create() {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  // The window that carries the taskbar button shows DPX's icon there and in Alt+Tab.
  windowClass.hIcon = static_cast<HICON>(::LoadImageW(
      instance, MAKEINTRESOURCEW(IDI_DPX), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  windowClass.hIconSm = static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_DPX), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                   ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  windowClass.lpszClassName = kClassName;
  ::RegisterClassExW(&windowClass);
  // Zero size, in the middle of the screen; extended style 0, so the hide's stripping of extended
  // styles changes nothing on it.
  window_.Reset(::CreateWindowExW(
      0, kClassName, kApplicationTitle, WS_POPUP | WS_CAPTION, ::GetSystemMetrics(SM_CXSCREEN) / 2,
      ::GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, instance, nullptr));
}

void ApplicationWindow::SetMainWindow(HWND main) {
  ::SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(main));
}

}  // namespace dpx::win32
