#pragma once

#include <string>

#include "app/password_verifier.h"
#include "app/user_interaction.h"

namespace dpx {

inline constexpr wchar_t kInvalidPasswordMessage[] =
    L"Invalid password\n\rPlease check your spelling and try again!";

// Whether the prompt keeps a wrong entry for the next try (the start-up gate) or starts empty
// every time (showing the main window).
enum class PromptField { kKeptBetweenTries, kEmptiedEachTry };

// Asks until the entered text is the application password (true) or the prompt is closed without
// OK (false). A wrong entry is answered with an error box and the prompt comes back, without limit.
bool AskForPassword(PasswordPrompt& prompt, UserInteraction& ui, const PasswordVerifier& password,
                    PromptField field);

}  // namespace dpx
