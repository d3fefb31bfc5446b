#pragma once

namespace dpx {

// A window's place and outer size in screen pixels.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct ScreenPoint {
  int left = 0;
  int top = 0;
};

// Where to put `placed` so that it sits over the middle of `base`, kept on the primary screen of
// the given size: pushed right/down off the left/top edges first, then left/up off the right/bottom
// edges, so a window larger than the screen ends up at a negative position.
ScreenPoint CenterFormOver(const ScreenRect& base, const ScreenRect& placed, int screenWidth,
                           int screenHeight);

}  // namespace dpx
