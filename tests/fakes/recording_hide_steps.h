#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "hide/hide_mode.h"
#include "hide/hide_steps.h"

namespace dpx::fakes {

// Records the side actions in the order the toggle runs them, with what hide mode was then.
class RecordingHideSteps final : public HideSteps {
 public:
  explicit RecordingHideSteps(const HideMode& hideMode) : hideMode_(hideMode) {}

  std::vector<std::string> calls;
  std::string throwIn;
  // Runs in the step of that name, before it returns: what arrives while the step waits.
  std::string runIn;
  std::function<void()> run;

  void RememberActiveWindow() override { Record("RememberActiveWindow"); }
  void CloseActiveWindow() override { Record("CloseActiveWindow"); }
  void SwitchToSelectedMode() override { Record("SwitchToSelectedMode"); }
  void HideWallpaper() override { Record("HideWallpaper"); }
  void SaveCurrentVolume() override { Record("SaveCurrentVolume"); }
  void ApplyDesiredVolume() override { Record("ApplyDesiredVolume"); }
  void BringToTop() override { Record("BringToTop"); }
  void HideShellSurfaces(bool desktop, bool taskbar, bool tray) override {
    Record(std::string("HideShellSurfaces ") + (desktop ? "1" : "0") + (taskbar ? "1" : "0") +
           (tray ? "1" : "0"));
  }
  void RestoreShellSurfaces() override { Record("RestoreShellSurfaces"); }
  void RestoreDisplayMode() override { Record("RestoreDisplayMode"); }
  void RestoreWallpaper() override { Record("RestoreWallpaper"); }
  void RestoreSavedVolume() override { Record("RestoreSavedVolume"); }
  void ReactivateActiveWindow() override { Record("ReactivateActiveWindow"); }
  void RefreshVisibleWindowsList() override { Record("RefreshVisibleWindowsList"); }

 private:
  void Record(const std::string& step) {
    calls.push_back(step + (hideMode_.Active() ? " [hidden]" : ""));
    if (step == runIn && run) {
      const std::function<void()> running = run;  // `run` may clear itself
      running();
    }
    if (step == throwIn) throw std::runtime_error("failed in " + step);
  }
  const HideMode& hideMode_;
};

}  // namespace dpx::fakes
