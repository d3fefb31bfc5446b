#include "actions/display_mode_text.h"

namespace dpx {

std::wstring ModeText(const DisplayMode& mode) {
  return std::to_wstring(mode.width) + L"x" + std::to_wstring(mode.height) + L"x" +
         std::to_wstring(mode.bitsPerPel) + L" @ " + std::to_wstring(mode.frequency) + L" Hz";
}

}  // namespace dpx
