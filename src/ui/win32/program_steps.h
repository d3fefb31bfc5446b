#pragma once

#include <functional>

#include "actions/display_mode_action.h"
#include "actions/screen_saver.h"
#include "actions/sound_action.h"
#include "actions/wallpaper_action.h"
#include "app/program_end.h"
#include "app/user_interaction.h"
#include "hide/hide_steps.h"
#include "triggers/hot_key_registration.h"

namespace dpx::win32 {

// The side actions of hide mode, each through the action that owns it. The active window and
// Bring to TOP steps and the shell surfaces are not wired in yet: they do nothing until they are
// (each reads its own option, so doing nothing is what "off" does).
class ProgramHideSteps final : public HideSteps {
 public:
  ProgramHideSteps(SoundAction& sound, DisplayModeAction& display, WallpaperAction& wallpaper,
                   std::function<void()> refreshVisibleWindowsList)
      : sound_(sound),
        display_(display),
        wallpaper_(wallpaper),
        refresh_(std::move(refreshVisibleWindowsList)) {}

  // Active window and Bring to TOP: not wired in yet.
  void RememberActiveWindow() override {}
  void CloseActiveWindow() override {}
  void BringToTop() override {}
  void ReactivateActiveWindow() override {}
  // Desktop icons, taskbar and tray icons: not wired in yet.
  void HideShellSurfaces(bool, bool, bool) override {}
  void RestoreShellSurfaces() override {}

  void SwitchToSelectedMode() override { display_.SwitchToSelectedMode(); }
  void RestoreDisplayMode() override { display_.RestoreDisplayMode(); }
  void HideWallpaper() override { wallpaper_.HideWallpaper(); }
  void RestoreWallpaper() override { wallpaper_.RestoreWallpaper(); }
  void SaveCurrentVolume() override { sound_.SaveCurrentVolume(); }
  void ApplyDesiredVolume() override { sound_.ApplyDesiredVolume(); }
  void RestoreSavedVolume() override { sound_.RestoreSavedVolume(); }
  void RefreshVisibleWindowsList() override { refresh_(); }

 private:
  SoundAction& sound_;
  DisplayModeAction& display_;
  WallpaperAction& wallpaper_;
  std::function<void()> refresh_;
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

// The password prompt dialog comes with the application password work. Until then a set
// password cannot be entered, so the window stays locked: Cancel.
class PendingPasswordPrompt final : public PasswordPrompt {
 public:
  std::optional<std::wstring> Ask(bool) override { return std::nullopt; }
};

}  // namespace dpx::win32
