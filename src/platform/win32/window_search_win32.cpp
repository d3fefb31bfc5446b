#include "platform/win32/window_search_win32.h"

#include "platform/win32/window_manager_win32.h"

namespace dpx::win32 {

WindowHandle Win32WindowSearch::FindWindowAfter(WindowHandle parent, WindowHandle after,
                                                const std::optional<std::wstring>& className,
                                                const std::optional<std::wstring>& title) {
  // A null class or title matches any; an empty title only windows without one.
  return FromHwnd(::FindWindowExW(ToHwnd(parent), ToHwnd(after),
                                  className ? className->c_str() : nullptr,
                                  title ? title->c_str() : nullptr));
}

WindowHandle Win32WindowSearch::ShellWindow() {
  return FromHwnd(::GetShellWindow());
}

}  // namespace dpx::win32
