#include "app/password_check.h"

namespace dpx {

bool AskForPassword(PasswordPrompt& prompt, UserInteraction& ui, const PasswordVerifier& password,
                    PromptField field) {
  for (;;) {
    const auto entered = prompt.Ask(field == PromptField::kEmptiedEachTry);
    if (!entered) return false;
    if (password.Matches(*entered)) return true;
    ui.ShowMessage(kInvalidPasswordMessage, MessageKind::kError, MessageButtons::kOk);
  }
}

}  // namespace dpx
