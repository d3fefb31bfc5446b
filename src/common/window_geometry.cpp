#include "common/window_geometry.h"

namespace dpx {

ScreenPoint CenterFormOver(const ScreenRect& base, const ScreenRect& placed, int screenWidth,
                           int screenHeight) {
  // Integer division rounds toward zero, also for a placed window wider than its base.
  ScreenPoint at{base.left + (base.width - placed.width) / 2,
                 base.top + (base.height - placed.height) / 2};
  if (at.left < 0) at.left = 0;
  if (at.top < 0) at.top = 0;
  if (at.left + placed.width > screenWidth) at.left = screenWidth - placed.width;
  if (at.top + placed.height > screenHeight) at.top = screenHeight - placed.height;
  return at;
}

}  // namespace dpx
