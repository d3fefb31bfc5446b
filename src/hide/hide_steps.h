#pragma once

namespace dpx {

// The privacy side actions the toggle runs around the windows, in the toggle's order. Each one
// reads its own option when it runs and does nothing when that option is off.
class HideSteps {
 public:
  virtual ~HideSteps() = default;

  // Hide, before hide mode begins.
  virtual void RememberActiveWindow() = 0;
  virtual void CloseActiveWindow() = 0;
  virtual void SwitchToSelectedMode() = 0;
  virtual void HideWallpaper() = 0;
  virtual void SaveCurrentVolume() = 0;
  virtual void ApplyDesiredVolume() = 0;
  // Hide, after the windows.
  virtual void BringToTop() = 0;
  virtual void HideShellSurfaces(bool desktopIcons, bool taskbar, bool trayIcons) = 0;

  // Restore, before the windows.
  virtual void RestoreShellSurfaces() = 0;
  virtual void RestoreDisplayMode() = 0;
  virtual void RestoreWallpaper() = 0;
  virtual void RestoreSavedVolume() = 0;
  // Restore, after hide mode has ended.
  virtual void ReactivateActiveWindow() = 0;
  virtual void RefreshVisibleWindowsList() = 0;
};

}  // namespace dpx
