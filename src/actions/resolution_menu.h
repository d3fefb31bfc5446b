#pragma once

#include <string>
#include <vector>

#include "platform/display_modes.h"

namespace dpx {

// The display-mode menu as data; the window code builds its popup menu from it and appends the
// fixed item "Current" as the last first-level item.
struct FrequencyItem {
  std::wstring caption;  // "60 Hz"
  int modeNumber = 0;    // the number of the same mode in the platform's list (Settings)
};
struct DepthItem {
  std::wstring caption;  // "32 bits"
  std::vector<FrequencyItem> frequencies;
};
struct SizeItem {
  std::wstring caption;  // "1024x768"
  std::vector<DepthItem> depths;
};
using ResolutionMenu = std::vector<SizeItem>;

inline constexpr wchar_t kCurrentModeItemCaption[] = L"Current";

// Items come from the raw enumeration: sizes from the last met (on top) to the first met; depths
// and frequencies in the order of the enumeration. A mode at the hardware's default rate
// (frequency 1) or one missing from the platform's list gets no item; equal modes each get their
// own item. Each item's number is that of the first equal mode (width, height, depth and
// frequency) in the platform's list, the list a selected mode is switched with.
ResolutionMenu BuildResolutionMenu(DisplayModes& modes);

}  // namespace dpx
