#include "ui/win32/message_boxes.h"

#include <commctrl.h>

#include "app/app_error.h"
#include "platform/win32/wide_text.h"

namespace dpx::win32 {
namespace {

const wchar_t* CaptionOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::kInformation:
      return L"Information";
    case MessageKind::kWarning:
      return L"Warning";
    case MessageKind::kError:
      return L"Error";
    case MessageKind::kConfirm:
      return L"Confirm";
    case MessageKind::kPlain:
      break;
  }
  return kApplicationTitle;
}

UINT IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::kInformation:
      return MB_ICONINFORMATION;
    case MessageKind::kWarning:
      return MB_ICONWARNING;
    case MessageKind::kError:
      return MB_ICONERROR;
    case MessageKind::kConfirm:
      return MB_ICONQUESTION;
    case MessageKind::kPlain:
      break;
  }
  return 0;
}

PCWSTR TaskDialogIconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::kInformation:
      return TD_INFORMATION_ICON;
    case MessageKind::kWarning:
      return TD_WARNING_ICON;
    case MessageKind::kError:
      return TD_ERROR_ICON;
    case MessageKind::kConfirm:  // the task dialog has no question icon
    case MessageKind::kPlain:
      break;
  }
  return nullptr;
}

// The message box offers no Yes + Cancel pair; the task dialog does, and its frame's close box
// answers Cancel.
MessageAnswer AskYesCancel(HWND owner, const std::wstring& text, MessageKind kind) {
  int pressed = IDCANCEL;
  if (FAILED(::TaskDialog(owner, nullptr, CaptionOf(kind), nullptr, text.c_str(),
                          TDCBF_YES_BUTTON | TDCBF_CANCEL_BUTTON, TaskDialogIconOf(kind),
                          &pressed))) {
    // Without the task dialog, Yes/No with No standing for Cancel.
    pressed = ::MessageBoxW(owner, text.c_str(), CaptionOf(kind), MB_YESNO | IconOf(kind));
  }
  return pressed == IDYES ? MessageAnswer::kYes : MessageAnswer::kCancel;
}

}  // namespace

HWND Win32UserInteraction::Owner() const {
  return owner_ && ::IsWindowVisible(owner_) ? owner_ : nullptr;
}

MessageAnswer Win32UserInteraction::ShowMessage(const std::wstring& text, MessageKind kind,
                                                MessageButtons buttons) {
  if (buttons == MessageButtons::kYesCancel) return AskYesCancel(Owner(), text, kind);
  ::MessageBoxW(Owner(), text.c_str(), CaptionOf(kind), MB_OK | IconOf(kind));
  return MessageAnswer::kOk;
}

void ReportError(UserInteraction& ui, const std::exception& error) {
  const auto* appError = dynamic_cast<const AppError*>(&error);
  ui.ShowMessage(appError ? appError->Message() : Widen(error.what()), MessageKind::kError,
                 MessageButtons::kOk);
}

void ReportUnknownError(UserInteraction& ui) {
  ui.ShowMessage(L"An unexpected error occurred.", MessageKind::kError, MessageButtons::kOk);
}

}  // namespace dpx::win32
