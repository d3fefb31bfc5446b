#include "platform/win32/window_marks_win32.h"

#include <windows.h>

#include "platform/win32/window_manager_win32.h"

namespace dpx::win32 {
namespace {

constexpr wchar_t kMarkName[] = L"DPX.HiddenExStyle";
// A property's value 0 means "none", and an extended style may be 0: the value carries this bit
// above the style's 32 bits.
constexpr std::uint64_t kMarkPresent = std::uint64_t{1} << 32;

}  // namespace

void Win32WindowMarks::Mark(WindowHandle window, std::uint32_t exStyle) {
  ::SetPropW(ToHwnd(window), kMarkName, reinterpret_cast<HANDLE>(kMarkPresent | exStyle));
}

std::optional<std::uint32_t> Win32WindowMarks::MarkedExStyle(WindowHandle window) {
  const auto value = reinterpret_cast<std::uint64_t>(::GetPropW(ToHwnd(window), kMarkName));
  if ((value & kMarkPresent) == 0) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

void Win32WindowMarks::Unmark(WindowHandle window) {
  ::RemovePropW(ToHwnd(window), kMarkName);
}

}  // namespace dpx::win32
