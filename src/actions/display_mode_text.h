#pragma once

#include <string>

#include "platform/display_modes.h"

namespace dpx {

// What the text fields show for a mode number that names no mode.
inline constexpr wchar_t kNoDisplayModeText[] = L"Not a listed display mode";

// "800x600x16 @ 120 Hz": width, height, depth and frequency.
std::wstring ModeText(const DisplayMode& mode);

}  // namespace dpx
