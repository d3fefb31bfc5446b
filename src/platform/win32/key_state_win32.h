#pragma once

#include "platform/key_state.h"

namespace dpx::win32 {

// The asynchronous key state: the key as it is now, not as DPX's own message queue has seen it
// (a hot key's keys go to another program's window).
class Win32KeyState final : public KeyState {
 public:
  bool IsKeyDown(unsigned keyCode) override;
};

}  // namespace dpx::win32
