#include "platform/win32/window_manager_win32.h"

#include <vector>

namespace dpx::win32 {

WindowHandle Win32WindowManager::TopWindow() {
  return FromHwnd(::GetTopWindow(nullptr));
}

WindowHandle Win32WindowManager::NextWindow(WindowHandle window) {
  return FromHwnd(::GetWindow(ToHwnd(window), GW_HWNDNEXT));
}

std::wstring Win32WindowManager::WindowText(WindowHandle window, std::size_t bufferChars) {
  std::vector<wchar_t> buffer(bufferChars, L'\0');
  const int length = ::GetWindowTextW(ToHwnd(window), buffer.data(), static_cast<int>(bufferChars));
  return std::wstring(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring Win32WindowManager::ClassName(WindowHandle window, std::size_t bufferChars) {
  std::vector<wchar_t> buffer(bufferChars, L'\0');
  const int length = ::GetClassNameW(ToHwnd(window), buffer.data(), static_cast<int>(bufferChars));
  return std::wstring(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::optional<WindowStyles> Win32WindowManager::Styles(WindowHandle window) {
  WINDOWINFO info{};
  info.cbSize = sizeof info;  // 60 bytes
  if (!::GetWindowInfo(ToHwnd(window), &info)) return std::nullopt;
  return WindowStyles{info.dwStyle, info.dwExStyle};
}

WindowOwner Win32WindowManager::Owner(WindowHandle window) {
  DWORD process = 0;
  const DWORD thread = ::GetWindowThreadProcessId(ToHwnd(window), &process);
  return {thread, process};
}

bool Win32WindowManager::IsVisible(WindowHandle window) {
  return ::IsWindowVisible(ToHwnd(window)) != FALSE;
}

std::uint32_t Win32WindowManager::ExStyle(WindowHandle window) {
  return static_cast<std::uint32_t>(::GetWindowLongW(ToHwnd(window), GWL_EXSTYLE));
}

void Win32WindowManager::SetExStyle(WindowHandle window, std::uint32_t exStyle) {
  ::SetWindowLongW(ToHwnd(window), GWL_EXSTYLE, static_cast<LONG>(exStyle));
}

void Win32WindowManager::Show(WindowHandle window, ShowCommand command) {
  ::ShowWindow(ToHwnd(window), static_cast<int>(command));
}

void Win32WindowManager::ShowAsync(WindowHandle window, ShowCommand command) {
  ::ShowWindowAsync(ToHwnd(window), static_cast<int>(command));
}

void Win32WindowManager::Post(WindowHandle window, std::uint32_t message) {
  ::PostMessageW(ToHwnd(window), message, 0, 0);
}

bool Win32WindowManager::SendNull(WindowHandle window, std::chrono::milliseconds bound) {
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutW(ToHwnd(window), WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                               static_cast<UINT>(bound.count()), &result) != 0;
}

WindowHandle Win32WindowManager::FindByClass(const std::wstring& className) {
  return FromHwnd(::FindWindowW(className.c_str(), nullptr));
}

}  // namespace dpx::win32
