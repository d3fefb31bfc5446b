#pragma once

#include <string>
#include <vector>

#include "platform/display_modes.h"

namespace dpx {

// The display-mode menu as data; the window code builds its popup menu from it and appends the
// fixed item "Current" as the last first-level item.
struct FrequencyItem {
  std::wstring caption;  // "60 Hz"
  int modeNumber = 0;    // the index of the mode in the raw enumeration
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

// Sizes from the last met (on top) to the first met; depths and frequencies in the order of the
// enumeration. A mode at the hardware's default rate (frequency 1) gets no item but keeps its
// number, and equal modes each get their own item.
ResolutionMenu BuildResolutionMenu(DisplayModes& modes);

}  // namespace dpx
