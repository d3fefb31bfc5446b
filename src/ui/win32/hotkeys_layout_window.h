#pragma once

#include "ui/win32/dialog_window.h"

namespace dpx::win32 {

// "Defualt Hotkeys": a borderless window with a keyboard picture on which the keys of the three
// default hot keys are marked, and a "Close" button that hides it. Not modal.
class HotkeysLayoutWindow final : public DialogWindow {
 public:
  using DialogWindow::DialogWindow;

  void Create(HWND owner);
  // Places it over the middle of `base` (kept on the screen) and shows it in front.
  void ShowOver(HWND base);

 private:
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// CenterFormOver for two windows of the screen.
void CenterWindowOver(HWND base, HWND placed);

}  // namespace dpx::win32
