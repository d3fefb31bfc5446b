#pragma once

#include <optional>
#include <string>
#include <utility>

#include "actions/before_change.h"
#include "app/options.h"
#include "platform/display_modes.h"

namespace dpx {

// The mode number for "no mode in the list": what CurrentModeIndex answers when no listed mode
// matches the settings in force. Any negative selected mode number names no mode.
inline constexpr int kNoModeNumber = -1;

// The "Display mode test" dialog, shown modally; it returns when the dialog has closed.
class ModeTestDialog {
 public:
  virtual ~ModeTestDialog() = default;
  virtual void ShowModal() = 0;
};

// The information box shown before the test ("\n\r" breaks the lines).
inline constexpr wchar_t kModeTestNotice[] =
    L"Your display mode will be switched to the one you have selected.\n\rIf the screen becomes "
    L"black or distorted please wait 10 seconds\n\rand your original display mode will be "
    L"restored.";

// The display-mode side action: switches the primary display to the selected mode at hide and
// back to the remembered settings at restore, and tests the selected mode under a countdown.
class DisplayModeAction {
 public:
  DisplayModeAction(DisplayModes& modes, const Options& options, BeforeChange beforeChange = {})
      : modes_(modes), options_(options), beforeChange_(std::move(beforeChange)) {}

  // The mode text of a listed mode, or kNoDisplayModeText when the number names none.
  std::wstring DisplayModeText(int modeNumber);
  // The first listed mode equal to the settings in force in size, depth and frequency, or
  // kNoModeNumber.
  int CurrentModeIndex();

  // Hide: when "Switch display resolution" is checked and the selected mode exists, remembers
  // the settings in force and switches. A selected number that names no mode skips the switch.
  void SwitchToSelectedMode();
  // Restore (and program end in hide mode): when the box is checked and this hide switched,
  // switches back to the remembered settings. Otherwise the display stays as it is.
  void RestoreDisplayMode();

  // Switches to the selected mode, shows the dialog, and switches back however it closed. False,
  // with nothing switched or shown, when the selected number names no mode.
  bool TestSelectedMode(ModeTestDialog& dialog);

  // What the next restore will switch back to; nullopt when this hide did not switch.
  std::optional<DisplaySettings> SettingsToPutBack() const {
    return options_.switchResolution ? remembered_ : std::nullopt;
  }
  // A recovery after a run that died in hide mode: switches back to that run's settings.
  void PutBackDisplaySettings(const DisplaySettings& settings) { modes_.Change(settings); }

 private:
  std::optional<DisplaySettings> SelectedSettings();

  DisplayModes& modes_;
  const Options& options_;
  BeforeChange beforeChange_;
  std::optional<DisplaySettings> remembered_;  // set only by a hide that switched
};

}  // namespace dpx
