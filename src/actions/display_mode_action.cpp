#include "actions/display_mode_action.h"

#include "actions/display_mode_text.h"

namespace dpx {

std::wstring DisplayModeAction::DisplayModeText(int modeNumber) {
  // A negative number would ask the platform for the current or the stored settings instead.
  const std::optional<DisplaySettings> settings =
      modeNumber < 0 ? std::nullopt : modes_.Settings(modeNumber);
  return settings ? ModeText(settings->mode) : kNoDisplayModeText;
}

int DisplayModeAction::CurrentModeIndex() {
  const std::optional<DisplaySettings> current = modes_.Settings(kCurrentSettings);
  if (!current) return kNoModeNumber;
  for (int index = 0;; ++index) {
    const std::optional<DisplaySettings> listed = modes_.Settings(index);
    if (!listed) return kNoModeNumber;
    if (listed->mode == current->mode) return index;
  }
}

std::optional<DisplaySettings> DisplayModeAction::SelectedSettings() {
  if (options_.resolution < 0) return std::nullopt;
  return modes_.Settings(options_.resolution);
}

void DisplayModeAction::SwitchToSelectedMode() {
  remembered_.reset();
  if (!options_.switchResolution) return;
  std::optional<DisplaySettings> current = modes_.Settings(kCurrentSettings);
  const std::optional<DisplaySettings> selected = SelectedSettings();
  // Without both records the switch could not be undone, or would apply an empty record.
  if (!current || !selected) return;
  remembered_ = std::move(current);
  if (beforeChange_) beforeChange_();
  modes_.Change(*selected);  // a refused switch leaves the display as it was
}

void DisplayModeAction::RestoreDisplayMode() {
  std::optional<DisplaySettings> remembered = std::move(remembered_);
  remembered_.reset();
  if (!options_.switchResolution || !remembered) return;
  modes_.Change(*remembered);
}

bool DisplayModeAction::TestSelectedMode(ModeTestDialog& dialog) {
  const std::optional<DisplaySettings> original = modes_.Settings(kCurrentSettings);
  const std::optional<DisplaySettings> selected = SelectedSettings();
  if (!original || !selected) return false;
  modes_.Change(*selected);
  // Switch back also when the dialog fails: a black screen must not stay.
  struct SwitchBack {
    DisplayModes& modes;
    const DisplaySettings& original;
    ~SwitchBack() { modes.Change(original); }
  } switchBack{modes_, *original};
  dialog.ShowModal();
  return true;
}

}  // namespace dpx
