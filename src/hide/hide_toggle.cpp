#include "hide/hide_toggle.h"

namespace dpx {

void HideToggle::Toggle() {
  // Triggers that arrive during start-up dialogs must not hide a half-made program.
  if (!ready_) return;
  if (hideMode_.Active())
    Restore();
  else
    Hide();
}

void HideToggle::Hide() {
  // A side action that throws here leaves the normal state: the holder does not exist yet.
  steps_.RememberActiveWindow();
  steps_.CloseActiveWindow();
  steps_.SwitchToSelectedMode();
  steps_.HideWallpaper();
  steps_.SaveCurrentVolume();
  steps_.ApplyDesiredVolume();
  hideMode_.Begin();
  hideMode_.CaptureAndHideAll();
  steps_.BringToTop();
  steps_.HideShellSurfaces(options_.hideDesktop, options_.hideTaskBar, options_.hideTray);
}

void HideToggle::Restore() {
  steps_.RestoreShellSurfaces();
  steps_.RestoreDisplayMode();
  steps_.RestoreWallpaper();
  steps_.RestoreSavedVolume();
  hideMode_.RestoreHiddenWindows();
  hideMode_.End();
  steps_.ReactivateActiveWindow();
  steps_.RefreshVisibleWindowsList();
}

}  // namespace dpx
