#include "app/app_password_commands.h"

#include "app/password_hash.h"

namespace dpx {

PasswordFieldsCheck CheckPasswordFields(const std::wstring& password,
                                        const std::wstring& confirmation) {
  if (password != confirmation) return PasswordFieldsCheck::kMismatch;
  if (password.empty()) return PasswordFieldsCheck::kEmpty;
  return PasswordFieldsCheck::kAccepted;
}

bool AcceptPasswordFields(const std::wstring& password, const std::wstring& confirmation,
                          UserInteraction& centeredMessages) {
  switch (CheckPasswordFields(password, confirmation)) {
    case PasswordFieldsCheck::kAccepted:
      return true;
    case PasswordFieldsCheck::kMismatch:
      centeredMessages.ShowMessage(kPasswordsDoNotMatchMessage, MessageKind::kError,
                                   MessageButtons::kOk);
      return false;
    case PasswordFieldsCheck::kEmpty:
      centeredMessages.ShowMessage(kFillAllFieldsMessage, MessageKind::kWarning,
                                   MessageButtons::kOk);
      return false;
  }
  return false;
}

void AppPasswordCommands::SetPassword() {
  const auto entered = dialog_.ShowOverMainWindow();
  // An empty password cannot be set; the field check already refuses one.
  if (entered && !entered->empty()) {
    appPassword_ = HashPassword(*entered, hashing_);
    options_.appPasswordProtected = true;
  }
}

void AppPasswordCommands::CheckBoxClicked(bool wasChecked) {
  if (wasChecked) {
    appPassword_.clear();
  } else {
    SetPassword();
  }
  options_.appPasswordProtected = !appPassword_.empty();
}

}  // namespace dpx
