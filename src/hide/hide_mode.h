#pragma once

#include <optional>
#include <vector>

#include "hide/hide_trail.h"
#include "hide/program_window.h"
#include "hide/win_info.h"
#include "hide/window_capture.h"
#include "hide/window_visibility.h"
#include "lists/list_entry.h"
#include "platform/text_services.h"
#include "platform/window_manager.h"

namespace dpx {

// Hide mode is exactly the existence of the hidden-window holder: every window captured when the
// hide began, then each window captured while hidden, whether it was hidden or protected.
//
// A pass (CaptureAndHideAll, RestoreHiddenWindows, CaptureAndHideNewWindow) decides everything
// on the calling (UI) thread: the capture, the Do not hide test, the program's own window, the
// holder and every HideTrail call. The calls into other programs' windows go to the lines of
// their threads (WindowManager::CallQueues), all programs side by side, and the pass then waits
// once, until every line is done or has stalled for kHungThreadBound. That wait dispatches no
// message at all, sent ones included, so nothing runs inside a pass but the pass itself.
// A window whose calls are still queued when the pass returns (its program hangs or is slow)
// gets them later, in order; its restore reports Shown only once its show has run, so until
// then it keeps its mark.
class HideMode {
 public:
  HideMode(WindowManager& windows, WindowCapture& capture, ProgramWindow& program,
           TextServices& text, const std::vector<ListEntry>& doNotHide)
      : windows_(windows),
        capture_(capture),
        program_(program),
        text_(text),
        doNotHide_(doNotHide) {}

  bool Active() const { return holder_.has_value(); }
  const CapturedWindowList* Holder() const { return holder_ ? &*holder_ : nullptr; }

  // Where the crash-safety trail of each hide goes; none by default.
  void SetTrail(HideTrail* trail) { trail_ = trail; }

  // Creates the empty holder: hide mode begins.
  void Begin() { holder_.emplace(); }
  // Discards the holder and its records: hide mode ends.
  void End();

  // Fills the holder and hides every window the Do not hide list does not protect.
  void CaptureAndHideAll();
  // Captures one window created while hidden into the holder and hides it unless protected.
  void CaptureAndHideNewWindow(WindowHandle window);
  // Shows every held window again, last captured first, and empties the holder.
  void RestoreHiddenWindows();

 private:
  void HideUnlessExcluded(const TWinInfo& window);
  bool IsProgramWindow(WindowHandle window) const;
  void MinimizeMediaPlayer();
  void WaitForTheLines();

  WindowManager& windows_;
  WindowCapture& capture_;
  ProgramWindow& program_;
  TextServices& text_;
  const std::vector<ListEntry>& doNotHide_;
  std::optional<CapturedWindowList> holder_;
  HideTrail* trail_ = nullptr;
};

}  // namespace dpx
