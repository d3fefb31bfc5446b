#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/app_password_commands.h"
#include "app/user_interaction.h"
#include "ui/win32/dialog_template.h"

namespace dpx::win32 {

// The entry fields of the two password dialogs; their buttons are IDOK and IDCANCEL.
inline constexpr int kPasswordField = 101;         // edPassword of both
inline constexpr int kConfirmPasswordField = 102;  // edConfirmPassword of the set-password dialog

// A dialog created once, hidden, and shown again and again: modally, by a message loop of its
// own that still delivers the program's hot-key messages and timer ticks. What its fields hold
// survives between showings.
class ReusableDialog {
 public:
  // `errors` shows what a handler raises (the general error report).
  explicit ReusableDialog(UserInteraction& errors) : errors_(errors) {}
  ReusableDialog(const ReusableDialog&) = delete;
  ReusableDialog& operator=(const ReusableDialog&) = delete;
  virtual ~ReusableDialog();

  HWND Handle() const { return handle_; }
  HWND Item(int id) const { return ::GetDlgItem(handle_, id); }

 protected:
  void Create(const DialogTemplate& dialogTemplate, HWND owner);
  // Shows the dialog with the focus on its first field and waits until Close; then hides it.
  // `owner`, when given, is disabled meanwhile, as a modal dialog's owner is. IDCANCEL when the
  // dialog is already up (a hot key pressed while it waits) or the program is asked to end.
  int ShowModal(HWND owner);
  void Close(int result) { result_ = result; }
  std::wstring FieldText(int id) const;
  void FocusField(int id);

  virtual void OnOk() = 0;
  // Any other message; true when handled.
  virtual bool OnMessage(UINT, WPARAM, LPARAM) { return false; }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  UserInteraction& errors_;
  HWND handle_ = nullptr;
  bool showing_ = false;
  std::optional<int> result_;
};

// The set-password dialog: caption "Application password", two masked fields, "Ok" and "Cancel".
class SetPasswordDialogWindow final : public ReusableDialog, public SetPasswordDialog {
 public:
  explicit SetPasswordDialogWindow(UserInteraction& errors) : ReusableDialog(errors) {}

  // Creates it hidden, owned by the main window, over which it is centred when shown.
  void Create(HWND mainWindow);
  std::optional<std::wstring> ShowOverMainWindow() override;

 private:
  // The field check, its messages centred over the main window.
  void OnOk() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND mainWindow_ = nullptr;
};

// The password prompt: caption "DPX", centred on the screen, one masked field, "&Ok" and "&Cancel".
class PasswordPromptWindow final : public ReusableDialog, public PasswordPrompt {
 public:
  explicit PasswordPromptWindow(UserInteraction& errors) : ReusableDialog(errors) {}

  // Creates it hidden, without an owner: the main window is hidden whenever it is asked for.
  void Create();
  std::optional<std::wstring> Ask(bool emptyField) override;

 private:
  void OnOk() override { Close(IDOK); }
};

}  // namespace dpx::win32
