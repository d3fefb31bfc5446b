#pragma once

#include "app/options.h"
#include "platform/hover_input.h"
#include "triggers/mouse_corner.h"
#include "triggers/trigger_actions.h"

namespace dpx {

enum class CornerTrigger { kHide, kScreenSaver };

// The two mouse hot corners for the life of the process: the hide corner, which only hides,
// and the screen-saver corner. Whether each is on is its button's Down state, kept in the
// options model.
class HotCorners {
 public:
  static constexpr unsigned kMouseTimerIntervalMs = 500;

  HotCorners(Options& options, HoverInput& input)
      : options_(options),
        input_(input),
        hide_(options.hideCorner),
        screenSaver_(options.screenSaverCorner) {}

  TMouseShortcutInfo& Info(CornerTrigger trigger) {
    return trigger == CornerTrigger::kHide ? hide_ : screenSaver_;
  }
  // Both corners idle again; run after the settings have been read.
  void ResetHover() { hide_.HoverStart = screenSaver_.HoverStart = 0; }

  // The main window's MouseTimer tick. Does nothing before start-up has finished or while the
  // desktop is locked. Then the hide corner, when on, hides if due and not in hide mode; then
  // the screen-saver corner, when on, runs the screen-saver command if due. A corner that fired
  // starts timing afresh; a due hide corner in hide mode keeps timing.
  void MouseTimer(bool ready, bool inHideMode, TriggerActions& actions);

  // A click on the corner's two-state button, which has already flipped to `nowDown`. Switching
  // on opens the dialog, and "Cancel" switches off again; switching off keeps the values.
  // Returns the Down state the button must show.
  bool CornerButtonClicked(CornerTrigger trigger, bool nowDown, MouseShortcutDialog& dialog);

 private:
  CornerOption& OptionOf(CornerTrigger trigger) {
    return trigger == CornerTrigger::kHide ? options_.hideCorner : options_.screenSaverCorner;
  }
  // A failed read counts as the top-left pixel.
  ScreenPoint Pointer();

  Options& options_;
  HoverInput& input_;
  TMouseShortcutInfo hide_;
  TMouseShortcutInfo screenSaver_;
};

}  // namespace dpx
