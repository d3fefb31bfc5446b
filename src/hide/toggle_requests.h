#pragma once

#include <functional>
#include <vector>

#include "hide/hide_mode.h"
#include "hide/hide_toggle.h"

namespace dpx {

// The one door to the toggle. A pass waits on other programs, and while it waits the messages
// sent to DPX are handled (another dpx.exe's restore request, the session's end): a restore run
// there would empty the holder the hide is still working through. So a request that arrives
// while a pass runs is kept, merged with the others, and run as soon as the pass returns.
class ToggleRequests {
 public:
  ToggleRequests(HideToggle& toggle, const HideMode& hideMode)
      : toggle_(toggle), hideMode_(hideMode) {}
  ToggleRequests(const ToggleRequests&) = delete;
  ToggleRequests& operator=(const ToggleRequests&) = delete;

  // The hide key, the hide corner, the "Hide/Restore" button. Two presses kept during one pass
  // cancel out: the desktop ends as it would after both, without flashing in between.
  void Press();
  // "dpx.exe /restore" and the session's end: the desktop ends up shown. It takes the place of
  // the presses kept before it, whose end state it overrides anyway.
  void Restore();
  // Other work on hide mode (a window that appeared while hidden, the program's end): runs now,
  // or after the pass and the requests kept before it.
  void AfterPass(std::function<void()> work);
  // From here on nothing is run or kept: the program is ending.
  void Close();

  bool PassRunning() const { return running_; }

 private:
  // Runs what is kept, one at a time, until nothing is left. An error does not drop the
  // requests behind it; the first one is passed on at the end.
  void RunKept();
  void RunNext();

  HideToggle& toggle_;
  const HideMode& hideMode_;
  bool running_ = false;
  bool closed_ = false;
  bool restoreKept_ = false;
  bool pressKept_ = false;
  std::vector<std::function<void()>> workKept_;
};

}  // namespace dpx
