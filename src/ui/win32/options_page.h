#pragma once

#include <functional>

#include "app/options.h"
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
  };

  OptionsPage(UserInteraction& ui, Options& options, Actions actions);

  void Create(HWND mainWindow, Tooltips& tips);
  void ShowOptions();
  // The texts of the selected display mode and of the mode in force.
  void ShowDisplayModes(const std::wstring& selected, const std::wstring& current);
  // Shows a sub-page by its strip button's click path and presses that button.
  void SelectSubPage(int buttonId);
  // Gives the page the focus: its pressed strip button.
  void Focus();
  bool IsCaptureField(HWND window) const;

 private:
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<INT_PTR> OnSubPageMessage(HWND subPage, UINT message, WPARAM wParam, LPARAM lParam);
  void OnInit();
  void AddHints();
  void OnClick(HWND subPage, int id);
  void OnStripButton(int id);
  HWND Control(int id) const;

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
