#pragma once

#include "hide/hide_journal.h"
#include "hide/win_info.h"
#include "platform/types.h"

namespace dpx {

// What hide mode leaves behind so that a run that dies while hidden can be undone by the next:
// told of every step that changes what a restore would have to do, before the change.
class HideTrail {
 public:
  virtual ~HideTrail() = default;
  // A side action knows what it would put back and is about to change the desktop.
  virtual void SideActionChanging() = 0;
  // The holder after a capture, before any window of it is hidden.
  virtual void Captured(const CapturedWindowList& holder) = 0;
  // Just before the window is hidden.
  virtual void Hiding(const TWinInfo& window) = 0;
  // Just before the shell surfaces are hidden.
  virtual void SurfacesHiding(const HiddenSurfaces& surfaces) = 0;
  // Just after the window was shown again.
  virtual void Shown(WindowHandle window) = 0;
  // Hide mode has ended: everything was put back.
  virtual void Ended() = 0;
  // A side action failed before hide mode began: what the hide changed stays as the failure
  // left it, and nothing is left for a later start to undo.
  virtual void Abandoned() = 0;
};

}  // namespace dpx
