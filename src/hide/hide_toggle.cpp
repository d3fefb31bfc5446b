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
  SideActionsBeforeHideMode();
  hideMode_.Begin();
  hideMode_.CaptureAndHideAll();
  steps_.BringToTop();
  const HiddenSurfaces surfaces{options_.hideDesktop, options_.hideTaskBar, options_.hideTray};
  if (trail_) trail_->SurfacesHiding(surfaces);
  steps_.HideShellSurfaces(surfaces.desktopIcons, surfaces.taskbar, surfaces.trayIcons);
}

void HideToggle::SideActionsBeforeHideMode() {
  // A side action that throws here leaves the normal state: the holder does not exist yet.
  try {
    steps_.RememberActiveWindow();
    steps_.CloseActiveWindow();
    steps_.SwitchToSelectedMode();
    steps_.HideWallpaper();
    steps_.SaveCurrentVolume();
    steps_.ApplyDesiredVolume();
  } catch (...) {
    if (trail_) trail_->Abandoned();
    throw;
  }
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
