#pragma once

#include <cstdint>

namespace dpx {

// The tray library dpxtray, which hides and shows the icons of the notification area.
class TrayLibrary {
 public:
  virtual ~TrayLibrary() = default;

  // `accessCode` is a zero-terminated string of 8-bit characters. The library's answer is not
  // examined: the program relies only on the icons being gone.
  virtual void HideTray(std::int32_t value, const char* accessCode) = 0;
  virtual void RestoreTray() = 0;
  // Shows the icon windows a killed DPX left hidden (they carry its window mark).
  virtual void RestoreMarkedTray() = 0;
};

}  // namespace dpx
