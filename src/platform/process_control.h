#pragma once

#include <functional>
#include <string>

#include "platform/types.h"

namespace dpx {

// Ending and starting programs.
class ProcessControl {
 public:
  virtual ~ProcessControl() = default;

  // The process DPX itself runs in.
  virtual ProcessId OwnProcess() = 0;
  // Ends the process at once, with exit code 0: it gets no close request. False when it cannot be
  // opened for that (higher rights, already gone) or not ended.
  virtual bool Terminate(ProcessId process) = 0;
  // What runs, later and on the thread that called Open, with the first visible top-level window
  // of the process the open started.
  using WindowShown = std::function<void(WindowHandle window)>;
  // Opens the file as the shell does with the verb "open", shown normally, with no parameters and
  // no owner window, in `workingFolder` (the caller's own when empty). The result is not known.
  // `firstWindowShown` runs only when the open started a new process that shows a window within a
  // bound: never for a program that was handed the file by one already running.
  virtual void Open(const std::wstring& path, const std::wstring& workingFolder,
                    WindowShown firstWindowShown) = 0;
};

}  // namespace dpx
