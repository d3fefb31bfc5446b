#pragma once

#include <optional>
#include <string>

#include "app/options.h"
#include "app/user_interaction.h"
#include "platform/password_hashing.h"

namespace dpx {

inline constexpr wchar_t kPasswordsDoNotMatchMessage[] =
    L"The passwords do not match!\n\rPlease correct.";
inline constexpr wchar_t kFillAllFieldsMessage[] = L"Please fill all the fields.";

// The field check of "Ok" in the set-password dialog: the two entries must be equal and not empty.
enum class PasswordFieldsCheck { kAccepted, kMismatch, kEmpty };
PasswordFieldsCheck CheckPasswordFields(const std::wstring& password,
                                        const std::wstring& confirmation);
// Runs the check; when it fails, shows why through `centeredMessages` (message boxes centred over
// the main window) and returns false: the dialog then stays open with the focus on its first field.
bool AcceptPasswordFields(const std::wstring& password, const std::wstring& confirmation,
                          UserInteraction& centeredMessages);

// The set-password dialog, created once and reused: its two masked fields keep what was typed
// the last time it was shown.
class SetPasswordDialog {
 public:
  virtual ~SetPasswordDialog() = default;

  // Centres the dialog over the main window and shows it modally. The text of its first field
  // when it closed with OK (the fields then passed the check); nullopt when it was cancelled.
  virtual std::optional<std::wstring> ShowOverMainWindow() = 0;
};

// The "Set Password" button and the "Protect this application with password" check box. Both end
// with the box's state (options.appPasswordProtected) true exactly while a password is set; the
// window shows that state without running the box's click action again.
class AppPasswordCommands {
 public:
  // `appPassword` is the application password in memory (see PasswordVerifier); a new password
  // goes there as its hash, never as typed.
  AppPasswordCommands(SetPasswordDialog& dialog, PasswordHashing& hashing,
                      std::wstring& appPassword, Options& options)
      : dialog_(dialog), hashing_(hashing), appPassword_(appPassword), options_(options) {}

  // "Set Password": a new password replaces the old one without asking for it; Cancel changes
  // nothing. The registry gets it at the next settings save. Throws PasswordHashingError, leaving
  // the password as it was.
  void SetPassword();
  // A click (or the space bar) on the box; `wasChecked` is the state it showed before. Unchecking
  // removes the password without asking; checking runs SetPassword.
  void CheckBoxClicked(bool wasChecked);

 private:
  SetPasswordDialog& dialog_;
  PasswordHashing& hashing_;
  std::wstring& appPassword_;
  Options& options_;
};

}  // namespace dpx
