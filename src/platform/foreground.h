#pragma once

#include <cstdint>

#include "platform/types.h"

namespace dpx {

// The foreground window: which window the user works in, and giving it to another one.
class Foreground {
 public:
  virtual ~Foreground() = default;

  // kNoWindow when no window has the foreground.
  virtual WindowHandle ForegroundWindow() = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  // True for a minimised window.
  virtual bool IsMinimized(WindowHandle window) = 0;
  // Sets the user's foreground lock timeout for this logon: broadcast, not written to the profile.
  virtual void SetForegroundLockTimeout(std::uint32_t milliseconds) = 0;
  virtual void SetForegroundWindow(WindowHandle window) = 0;
};

}  // namespace dpx
