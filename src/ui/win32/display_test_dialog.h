#pragma once

#include <windows.h>

#include "actions/display_mode_action.h"

namespace dpx::ui {

inline constexpr wchar_t kDisplayTestCaption[] = L"Display mode test";
// Control ids of the dialog, for whoever needs to find its parts.
inline constexpr int kDisplayTestQuestionId = 101;
inline constexpr int kDisplayTestSecondsId = 102;

// "Display mode test": asks whether the tested mode displays correctly and closes itself after
// ten seconds, so a screen that stays black recovers without the user. It stays on top, is
// centred, and has no title-bar buttons: only "&Yes", "&No" or the countdown close it.
class DisplayTestDialog final : public ModeTestDialog {
 public:
  // `owner` is disabled while the dialog is up; nullptr for none.
  explicit DisplayTestDialog(HWND owner) : owner_(owner) {}

  void ShowModal() override;

 private:
  HWND owner_;
};

}  // namespace dpx::ui
