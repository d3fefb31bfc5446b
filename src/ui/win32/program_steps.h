#pragma once

#include <functional>

#include "actions/display_mode_action.h"
#include "actions/screen_saver.h"
#include "actions/sound_action.h"
#include "actions/wallpaper_action.h"
#include "app/program_end.h"
#include "app/user_interaction.h"
#include "hide/active_window.h"
#include "hide/bring_to_top.h"
#include "hide/hide_recovery.h"
#include "hide/hide_steps.h"
#include "hide/shell_surfaces.h"
#include "triggers/hot_key_registration.h"

namespace dpx::win32 {

// The side actions of hide mode, each through the action that owns it.
class ProgramHideSteps final : public HideSteps {
 public:
  ProgramHideSteps(ActiveWindow& active, BringToTopProgram& bringToTop, ShellSurfaces& shell,
                   SoundAction& sound, DisplayModeAction& display, WallpaperAction& wallpaper,
                   std::function<void()> refreshVisibleWindowsList)
      : active_(active),
        bringToTop_(bringToTop),
        shell_(shell),
        sound_(sound),
        display_(display),
        wallpaper_(wallpaper),
        refresh_(std::move(refreshVisibleWindowsList)) {}

  void RememberActiveWindow() override { active_.RememberActiveWindow(); }
  void CloseActiveWindow() override { active_.CloseActiveWindow(); }
  void BringToTop() override { bringToTop_.BringToTop(); }
  void ReactivateActiveWindow() override { active_.ReactivateActiveWindow(); }
  void HideShellSurfaces(bool desktopIcons, bool taskbar, bool trayIcons) override {
    shell_.HideShellSurfaces(desktopIcons, taskbar, trayIcons);
  }
  void RestoreShellSurfaces() override { shell_.RestoreShellSurfaces(); }

  void SwitchToSelectedMode() override { display_.SwitchToSelectedMode(); }
  void RestoreDisplayMode() override { display_.RestoreDisplayMode(); }
  void HideWallpaper() override { wallpaper_.HideWallpaper(); }
  void RestoreWallpaper() override { wallpaper_.RestoreWallpaper(); }
  void SaveCurrentVolume() override { sound_.SaveCurrentVolume(); }
  void ApplyDesiredVolume() override { sound_.ApplyDesiredVolume(); }
  void RestoreSavedVolume() override { sound_.RestoreSavedVolume(); }
  void RefreshVisibleWindowsList() override { refresh_(); }

 private:
  ActiveWindow& active_;
  BringToTopProgram& bringToTop_;
  ShellSurfaces& shell_;
  SoundAction& sound_;
  DisplayModeAction& display_;
  WallpaperAction& wallpaper_;
  std::function<void()> refresh_;
};

// What a recovery puts back, each through the action that owns it.
class ProgramRecoverySteps final : public RecoverySteps {
 public:
  ProgramRecoverySteps(ShellSurfaces& shell, SoundAction& sound, DisplayModeAction& display,
                       WallpaperAction& wallpaper)
      : shell_(shell), sound_(sound), display_(display), wallpaper_(wallpaper) {}

  void ShowShellSurfaces(const HiddenSurfaces& surfaces) override { shell_.ShowSurfaces(surfaces); }
  void PutBackDisplaySettings(const DisplaySettings& settings) override {
    display_.PutBackDisplaySettings(settings);
  }
  void PutBackWallpaper(const std::wstring& path) override { wallpaper_.PutBackWallpaper(path); }
  void PutBackVolume(const VolumeState& volume) override { sound_.PutBackVolume(volume); }

 private:
  ShellSurfaces& shell_;
  SoundAction& sound_;
  DisplayModeAction& display_;
  WallpaperAction& wallpaper_;
};

// The last work of a run: the workstation lock's library and the hot keys are released.
class ProgramEndSteps final : public EndOfRunSteps {
 public:
  explicit ProgramEndSteps(ScreenSaverAndLock& screenSaver) : screenSaver_(screenSaver) {}
  void SetHotKeys(HotKeyRegistration* hotKeys) { hotKeys_ = hotKeys; }

  void FreeLockWorkStation() override { screenSaver_.FreeLockWorkStation(); }
  void UnregisterHotKeys() override {
    if (hotKeys_) hotKeys_->UnregisterAllHotKeys();
  }

 private:
  ScreenSaverAndLock& screenSaver_;
  HotKeyRegistration* hotKeys_ = nullptr;
};

}  // namespace dpx::win32
