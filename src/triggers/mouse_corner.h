#pragma once

#include <cstdint>

#include "app/options.h"
#include "platform/hover_input.h"
#include "triggers/mouse_shortcut_form.h"

namespace dpx {

// True when (x, y) lies in the square of side `zoneSize` in the corner of the screen: 0
// top-left, 1 top-right, 2 bottom-left, 3 bottom-right; right and bottom edges excluded. A zone
// of 0 or less, or a corner outside 0 to 3 (only a hand-edited settings file has one), holds no
// point.
bool PointInCorner(std::uint8_t corner, int zoneSize, int x, int y, ScreenSize screen);

// One mouse hot corner: the zone, hover time and corner the user set (kept in the options
// model, the one copy) and the tick at which the pointer was first seen in the zone.
class TMouseShortcutInfo {
 public:
  explicit TMouseShortcutInfo(CornerOption& option) : option_(option) {}

  const CornerOption& Option() const { return option_; }

  // 0 while the pointer is not being timed.
  std::uint32_t HoverStart = 0;

  // True when the pointer at (x, y) has stayed in the zone for the hover time. Starts the
  // timing at the first call in the zone, stops it outside; the caller resets HoverStart after
  // firing. The tick difference is unsigned, so the tick counter wrapping does no harm.
  bool IsTriggered(int x, int y, HoverInput& input);

  // Opens the "Mouse Shortcut" dialog on the current values; on "Ok" takes its values (a corner
  // only when a box is checked) and returns true. Cancelling changes nothing.
  bool Edit(MouseShortcutDialog& dialog);

 private:
  CornerOption& option_;
};

}  // namespace dpx
