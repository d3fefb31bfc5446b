#pragma once

#include "platform/display_modes.h"

namespace dpx::win32 {

// The primary display through EnumDisplaySettingsW, EnumDisplaySettingsExA (raw modes) and
// ChangeDisplaySettingsW. Records are whole DEVMODEW structures.
class Win32DisplayModes final : public DisplayModes {
 public:
  std::optional<DisplaySettings> Settings(int modeNumber) override;
  std::optional<DisplayMode> RawMode(int index) override;
  bool Change(const DisplaySettings& settings) override;
};

}  // namespace dpx::win32
