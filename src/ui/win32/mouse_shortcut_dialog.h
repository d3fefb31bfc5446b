#pragma once

#include <windows.h>

#include "triggers/mouse_shortcut_form.h"

namespace dpx::win32 {

// The "Mouse Shortcut" dialog (TMouseShortcutForm): the four corner boxes as one choice, the
// hover time and zone size as spin fields, "Ok" and "Cancel". Modal, owned by the main window
// and centred on it; its controls show and edit a MouseShortcutForm.
class MouseShortcutDialogWindow final : public MouseShortcutDialog {
 public:
  explicit MouseShortcutDialogWindow(HWND owner) : owner_(owner) {}

  bool ShowModal(MouseShortcutForm& form) override;

 private:
  HWND owner_;
};

}  // namespace dpx::win32
