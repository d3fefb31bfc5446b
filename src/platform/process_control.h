#pragma once

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
  // Opens the file as the shell does with the verb "open", shown normally, with no parameters and
  // no owner window, in `workingFolder` (the caller's own when empty). The result is not known.
  virtual void Open(const std::wstring& path, const std::wstring& workingFolder) = 0;
};

}  // namespace dpx
