#include "platform/win32/window_marks_win32.h"

#include <windows.h>

#include "platform/window_mark_value.h"
#include "platform/win32/window_manager_win32.h"

namespace dpx::win32 {

void Win32WindowMarks::Mark(WindowHandle window, std::uint32_t exStyle) {
  ::SetPropW(ToHwnd(window), kWindowMarkName, reinterpret_cast<HANDLE>(WindowMarkValue(exStyle)));
}

std::optional<std::uint32_t> Win32WindowMarks::MarkedExStyle(WindowHandle window) {
  return dpx::MarkedExStyle(
      reinterpret_cast<std::uint64_t>(::GetPropW(ToHwnd(window), kWindowMarkName)));
}

void Win32WindowMarks::Unmark(WindowHandle window) {
  ::RemovePropW(ToHwnd(window), kWindowMarkName);
}

}  // namespace dpx::win32
