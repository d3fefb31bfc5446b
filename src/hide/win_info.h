#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace dpx {

// One captured top-level window. A plain value: whoever passes it on passes a copy.
struct TWinInfo {
  WindowHandle Handle = kNoWindow;
  std::wstring Title;    // trimmed of blanks and control characters
  std::wstring ExePath;  // drive-letter form where it converts; empty when unknown
  std::uint32_t ExStyle = 0;
};

struct CapturedWindow {
  std::wstring caption;  // file name part of ExePath
  TWinInfo info;
};

// Captured windows in capture order (Z-order, topmost first, then later captures).
using CapturedWindowList = std::vector<CapturedWindow>;

}  // namespace dpx
