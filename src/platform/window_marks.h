#pragma once

#include <cstdint>
#include <optional>

#include "platform/types.h"

namespace dpx {

// A mark DPX leaves on each window it hides, holding the window's extended style from before the
// hide. It lives with the window itself, so a recovery finds DPX's hidden windows even without
// its journal, and a handle that now names another window carries no mark. Setting and reading
// it never waits for the window's thread.
class WindowMarks {
 public:
  virtual ~WindowMarks() = default;
  virtual void Mark(WindowHandle window, std::uint32_t exStyle) = 0;
  // The extended style the mark holds; nullopt when the window has none (or is gone).
  virtual std::optional<std::uint32_t> MarkedExStyle(WindowHandle window) = 0;
  virtual void Unmark(WindowHandle window) = 0;
};

}  // namespace dpx
