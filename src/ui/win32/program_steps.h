#pragma once

#include <windows.h>

#include <functional>

#include "app/program_end.h"
#include "app/user_interaction.h"
#include "hide/hide_steps.h"

namespace dpx::win32 {

// The side actions of hide mode as this build of the program has them. The visible-windows list
// is refreshed for real; every other step belongs to work that is not wired in yet and does
// nothing until it is (each reads its own option, so doing nothing is what "off" does).
class ProgramHideSteps final : public HideSteps {
 public:
  explicit ProgramHideSteps(std::function<void()> refreshVisibleWindowsList)
      : refresh_(std::move(refreshVisibleWindowsList)) {}

  // Active window and Bring to TOP: not wired in yet.
  void RememberActiveWindow() override {}
  void CloseActiveWindow() override {}
  void BringToTop() override {}
  void ReactivateActiveWindow() override {}
  // Display mode: not wired in yet.
  void SwitchToSelectedMode() override {}
  void RestoreDisplayMode() override {}
  // Wallpaper: not wired in yet.
  void HideWallpaper() override {}
  void RestoreWallpaper() override {}
  // Sound volume: not wired in yet.
  void SaveCurrentVolume() override {}
  void ApplyDesiredVolume() override {}
  void RestoreSavedVolume() override {}
  // Desktop icons, taskbar and tray icons: not wired in yet.
  void HideShellSurfaces(bool, bool, bool) override {}
  void RestoreShellSurfaces() override {}

  void RefreshVisibleWindowsList() override { refresh_(); }

 private:
  std::function<void()> refresh_;
};

// The last work of a run: the hot keys of the main window are released; the workstation lock
// is not looked up yet, so there is nothing of it to free.
class ProgramEndSteps final : public EndOfRunSteps {
 public:
  void SetMainWindow(HWND main) { main_ = main; }
  void FreeLockWorkStation() override {}
  void UnregisterHotKeys() override {
    for (int id : {0, 1, 2}) ::UnregisterHotKey(main_, id);
  }

 private:
  HWND main_ = nullptr;
};

// The password prompt dialog comes with the application password work. Until then a set
// password cannot be entered, so the window stays locked: Cancel.
class PendingPasswordPrompt final : public PasswordPrompt {
 public:
  std::optional<std::wstring> Ask(bool) override { return std::nullopt; }
};

}  // namespace dpx::win32
