#pragma once

#include "platform/hover_input.h"

namespace dpx::win32 {

class Win32HoverInput final : public HoverInput {
 public:
  std::optional<ScreenPoint> CursorPosition() override;
  ScreenSize PrimaryScreenSize() override;
  std::uint32_t TickCount() override;
  bool IsDesktopLocked() override;
};

}  // namespace dpx::win32
