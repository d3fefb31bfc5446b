#pragma once

#include <cstdint>
#include <optional>

namespace dpx {

struct ScreenPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

struct ScreenSize {
  int width = 0;
  int height = 0;
};

// What the mouse hot corners read twice a second; every call is cheap.
class HoverInput {
 public:
  virtual ~HoverInput() = default;

  // nullopt when the position cannot be read.
  virtual std::optional<ScreenPoint> CursorPosition() = 0;
  virtual ScreenSize PrimaryScreenSize() = 0;
  // Milliseconds since the system started; wraps to 0 after about 49.7 days.
  virtual std::uint32_t TickCount() = 0;
  // True while the user's desktop cannot be switched to: the workstation is locked or a screen
  // saver runs on its own desktop.
  virtual bool IsDesktopLocked() = 0;
};

}  // namespace dpx
