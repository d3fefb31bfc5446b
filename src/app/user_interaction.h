#pragma once

#include <optional>
#include <string>

namespace dpx {

// The kind of a message box decides its icon and its caption: the standard "Warning", "Error",
// "Information" or "Confirm", or the application title for a plain box.
enum class MessageKind { kPlain, kInformation, kWarning, kError, kConfirm };
enum class MessageButtons { kOk, kYesCancel };
// Closing a box from its frame counts as Cancel.
enum class MessageAnswer { kOk, kYes, kCancel };

// What the program asks of the user in modal boxes, so that the flows that use them can be tested
// with a scripted stand-in.
class UserInteraction {
 public:
  virtual ~UserInteraction() = default;

  virtual MessageAnswer ShowMessage(const std::wstring& text, MessageKind kind,
                                    MessageButtons buttons) = 0;
};

// The application password prompt, shown modally.
class PasswordPrompt {
 public:
  virtual ~PasswordPrompt() = default;

  // Empties the entry field first when asked to. The entered text when the prompt closes with OK;
  // nullopt when it closes any other way.
  virtual std::optional<std::wstring> Ask(bool emptyField) = 0;
};

}  // namespace dpx
