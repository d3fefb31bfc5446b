#include "triggers/hot_key_dispatch.h"

#include "triggers/hot_key_registration.h"

namespace dpx {

void HandleHotKey(std::uintptr_t id, bool captureFieldHasFocus, TriggerActions& actions) {
  if (captureFieldHasFocus) return;
  switch (id) {
    case kHideHotKey:
      actions.ClickHideRestore();
      break;
    case kProgramHotKey:
      actions.ToggleProgramWindow(/*askPassword=*/true);
      break;
    case kScreenSaverHotKey:
      actions.ScreenSaverCommand();
      break;
    default:
      break;
  }
}

}  // namespace dpx
