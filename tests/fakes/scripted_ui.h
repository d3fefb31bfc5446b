#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/user_interaction.h"

namespace dpx::fakes {

struct ShownMessage {
  std::wstring text;
  MessageKind kind;
  MessageButtons buttons;
};

// Answers message boxes from a script (OK for an OK box, Cancel for a Yes/Cancel box once the
// script is used up) and records every box shown.
class ScriptedUi final : public UserInteraction {
 public:
  std::deque<MessageAnswer> answers;
  std::vector<ShownMessage> shown;

  MessageAnswer ShowMessage(const std::wstring& text, MessageKind kind,
                            MessageButtons buttons) override {
    shown.push_back({text, kind, buttons});
    if (answers.empty())
      return buttons == MessageButtons::kOk ? MessageAnswer::kOk : MessageAnswer::kCancel;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// Answers the password prompt from a script (nullopt is Cancel, also once the script is used up)
// and records whether each showing emptied the field.
class ScriptedPrompt final : public PasswordPrompt {
 public:
  std::deque<std::optional<std::wstring>> entries;
  std::vector<bool> emptiedField;

  std::optional<std::wstring> Ask(bool emptyField) override {
    emptiedField.push_back(emptyField);
    if (entries.empty()) return std::nullopt;
    auto entry = entries.front();
    entries.pop_front();
    return entry;
  }
};

}  // namespace dpx::fakes
