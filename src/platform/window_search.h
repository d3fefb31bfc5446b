#pragma once

#include <optional>
#include <string>

#include "platform/types.h"

namespace dpx {

// Finds windows by class and title, the way the shell's own windows are found.
class WindowSearch {
 public:
  virtual ~WindowSearch() = default;

  // The first window after `after` (kNoWindow: from the first) among the children of `parent`
  // (kNoWindow: among the top-level windows) whose class and title equal the ones given, ignoring
  // case; nullopt matches any, an empty title only an empty one. kNoWindow when there is none.
  virtual WindowHandle FindWindowAfter(WindowHandle parent, WindowHandle after,
                                       const std::optional<std::wstring>& className,
                                       const std::optional<std::wstring>& title) = 0;
  // The shell's desktop window (GetShellWindow); kNoWindow when no shell runs.
  virtual WindowHandle ShellWindow() = 0;
};

}  // namespace dpx
