#pragma once

#include "platform/foreground.h"

namespace dpx::win32 {

class Win32Foreground final : public Foreground {
 public:
  WindowHandle ForegroundWindow() override;
  bool IsWindow(WindowHandle window) override;
  bool IsMinimized(WindowHandle window) override;
  void SetForegroundLockTimeout(std::uint32_t milliseconds) override;
  void SetForegroundWindow(WindowHandle window) override;
};

}  // namespace dpx::win32
