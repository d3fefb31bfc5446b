#pragma once

#include <cstdint>

#include "triggers/trigger_actions.h"

namespace dpx {

// The main window's WM_HOTKEY: fires the action of the hot key id (the message's wParam).
// While one of the three capture fields has the keyboard focus every hot key is ignored, so the
// user can press a registered combination there without firing it. Unknown ids do nothing.
void HandleHotKey(std::uintptr_t id, bool captureFieldHasFocus, TriggerActions& actions);

}  // namespace dpx
