#pragma once

#include "app/saved_state.h"
#include "hide/hide_mode.h"
#include "hide/hide_steps.h"

namespace dpx {

// The last work of a run that belongs to the workstation lock and the hot keys.
class EndOfRunSteps {
 public:
  virtual ~EndOfRunSteps() = default;
  virtual void FreeLockWorkStation() = 0;
  // Unregisters the hot keys 0, 1 and 2 of the main window, in that order; results ignored.
  virtual void UnregisterHotKeys() = 0;
};

// The main window's close query and destruction.
class ProgramEnd {
 public:
  ProgramEnd(HideMode& hideMode, HideSteps& steps, EndOfRunSteps& endSteps, SavedState& saved,
             const bool& ready)
      : hideMode_(hideMode), steps_(steps), endSteps_(endSteps), saved_(saved), ready_(ready) {}

  // Runs whenever something asks the main window to close: saves the lists and the settings.
  // A failed save throws, and the close must then not happen.
  void CloseQuery() { saved_.SaveAll(); }

  // Ends hide mode when it is on (the desktop comes back before anything is saved), saves again
  // once start-up has finished, and releases the hot keys. An error skips the steps after it.
  void Destroy();

 private:
  void EndHideMode();

  HideMode& hideMode_;
  HideSteps& steps_;
  EndOfRunSteps& endSteps_;
  SavedState& saved_;
  const bool& ready_;
};

}  // namespace dpx
