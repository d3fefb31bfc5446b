#include "triggers/hot_corners.h"

namespace dpx {

ScreenPoint HotCorners::Pointer() {
  return input_.CursorPosition().value_or(ScreenPoint{0, 0});
}

void HotCorners::MouseTimer(bool ready, bool inHideMode, TriggerActions& actions) {
  if (!ready) return;
  // Locked or in a screen saver: the corners rest, and their timings stay as they are.
  if (input_.IsDesktopLocked()) return;
  if (options_.hideCorner.enabled) {
    const ScreenPoint at = Pointer();
    if (hide_.IsTriggered(at.x, at.y, input_) && !inHideMode) {
      actions.ClickHideRestore();
      hide_.HoverStart = 0;
    }
  }
  if (options_.screenSaverCorner.enabled) {
    const ScreenPoint at = Pointer();
    if (screenSaver_.IsTriggered(at.x, at.y, input_)) {
      actions.ScreenSaverCommand();
      screenSaver_.HoverStart = 0;
    }
  }
}

bool HotCorners::CornerButtonClicked(CornerTrigger trigger, bool nowDown,
                                     MouseShortcutDialog& dialog) {
  const bool down = nowDown && Info(trigger).Edit(dialog);
  OptionOf(trigger).enabled = down;
  return down;
}

}  // namespace dpx
