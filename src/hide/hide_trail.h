#pragma once

#include "hide/win_info.h"
#include "platform/types.h"

namespace dpx {

// What hide mode leaves behind so that a run that dies while hidden can be undone by the next:
// told of every step that changes what a restore would have to do.
class HideTrail {
 public:
  virtual ~HideTrail() = default;
  // The holder after a capture, before any window of it is hidden.
  virtual void Captured(const CapturedWindowList& holder) = 0;
  // Just before the window is hidden.
  virtual void Hiding(const TWinInfo& window) = 0;
  // Just after the window was shown again.
  virtual void Shown(WindowHandle window) = 0;
  // Hide mode has ended: everything was put back.
  virtual void Ended() = 0;
};

}  // namespace dpx
