#include "app/program_end.h"

namespace dpx {

void ProgramEnd::Destroy() {
  if (hideMode_.Active()) EndHideMode();
  if (ready_) saved_.SaveAll();
  endSteps_.UnregisterHotKeys();
}

void ProgramEnd::EndHideMode() {
  steps_.RestoreSavedVolume();
  // Shows the main window again without a password when it was shown at the hide.
  hideMode_.RestoreHiddenWindows();
  steps_.RestoreShellSurfaces();
  // The wallpaper and display mode in force before the hide are known only to this process:
  // put them back too, or ending in hide mode would leave the user's desktop changed for good.
  steps_.RestoreDisplayMode();
  steps_.RestoreWallpaper();
  endSteps_.FreeLockWorkStation();
  hideMode_.End();
}

}  // namespace dpx
