#pragma once

#include "platform/window_marks.h"

namespace dpx::win32 {

// The mark is the window property kWindowMarkName. Properties are kept by the window manager,
// not by the window's thread, so setting one on a hung program's window does not block.
class Win32WindowMarks final : public WindowMarks {
 public:
  void Mark(WindowHandle window, std::uint32_t exStyle) override;
  std::optional<std::uint32_t> MarkedExStyle(WindowHandle window) override;
  void Unmark(WindowHandle window) override;
};

}  // namespace dpx::win32
