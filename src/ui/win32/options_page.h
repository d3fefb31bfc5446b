#pragma once

#include <functional>

#include "app/options.h"
#include "triggers/hot_corners.h"
#include "ui/win32/dialog_window.h"
#include "ui/win32/tooltips.h"
#include "ui/win32/ui_handles.h"

namespace dpx::win32 {

// The Extra Settings page: a strip of four buttons, each showing one sub-page (General,
// Shortcuts, Sound, Display). Every option control writes through to the options model.
class OptionsPage final : public DialogWindow {
 public:
  struct Actions {
    std::function<void()> showHotkeysLayout;
    // A corner button was clicked and has flipped to `nowDown`; returns the Down state it keeps.
    std::function<bool(CornerTrigger, bool nowDown)> cornerButton;
    // RefreshCurrentVolume: "Refresh current volume indicator", the "Sound" strip button.
    std::function<void()> refreshCurrentVolume;
    std::function<void()> testSound;
    // The "Display" strip button: the text of the mode in force.
    std::function<void()> showCurrentMode;
    std::function<void()> listResolutions;
    std::function<void()> testResolution;
    // cbAutoStart, with the state the click gave it.
    std::function<void(bool checkedNow)> autoStartClicked;
    // cbAppPassword, with the state it showed before the click; then "Set Password".
    std::function<void(bool wasChecked)> appPasswordClicked;
    std::function<void()> setPassword;
    // One of the check boxes that are an option themselves was clicked and the option written.
    std::function<void()> checkedOptionChanged;
  };

  OptionsPage(UserInteraction& ui, Options& options, Actions actions);

  void Create(HWND mainWindow, Tooltips& tips);
  void ShowOptions();
  // Sets cbAutoStart without running its click action.
  void ShowAutoStart(bool on);
  // Shows a sub-page by its strip button's click path and presses that button.
  void SelectSubPage(int buttonId);
  // Gives the page the focus: its pressed strip button.
  void Focus();
  bool IsCaptureField(HWND window) const;
  // The capture field of a hot key id (0, 1 or 2).
  HWND CaptureField(int id) const;
  // A control of any sub-page, or of the strip, by its id.
  HWND Control(int id) const;

 private:
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<INT_PTR> OnSubPageMessage(HWND subPage, UINT message, WPARAM wParam, LPARAM lParam);
  void OnInit();
  void AddHints();
  void OnClick(HWND subPage, int id);
  void PasswordClicked(HWND subPage, int id);
  void OnStripButton(int id);

  Options& options_;
  Actions actions_;
  Tooltips* tips_ = nullptr;
  SubPage general_;
  SubPage shortcuts_;
  SubPage sound_;
  SubPage display_;
  UniqueGdiObject mouseGlyph_;
};

}  // namespace dpx::win32
