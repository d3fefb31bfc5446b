#include "ui/win32/password_dialogs.h"

#include "ui/win32/hotkeys_layout_window.h"  // CenterWindowOver
#include "ui/win32/message_boxes.h"

namespace dpx::win32 {
namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kMaskedField = ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
// Asks the set-password dialog to move the message box it has just opened over the main window.
constexpr UINT kCenterMessageBox = WM_APP + 1;

DialogTemplate SetPasswordTemplate() {
  return DialogTemplate(
      L"Application password", kDialogStyle, 0, 230, 104,
      {{L"Static",
        L"Please remember or write down the password you have set. If you forget this password "
        L"you will no longer be able to access the application settings.",
        -1, SS_LEFT, 7, 7, 216, 26},
       {L"Static", L"Password", -1, SS_LEFT, 7, 41, 66, 8},
       {L"Edit", L"", kPasswordField, kMaskedField, 76, 39, 147, 12},
       {L"Static", L"Confirm password", -1, SS_LEFT, 7, 59, 66, 8},
       {L"Edit", L"", kConfirmPasswordField, kMaskedField, 76, 57, 147, 12},
       {L"Button", L"Ok", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 119, 83, 50, 14},
       {L"Button", L"Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 173, 83, 50, 14}});
}

DialogTemplate PromptTemplate() {
  return DialogTemplate(
      L"DPX", kDialogStyle, WS_EX_APPWINDOW, 190, 62,
      {{L"Static", L"Entre application password", -1, SS_LEFT, 7, 7, 176, 8},
       {L"Edit", L"", kPasswordField, kMaskedField, 7, 18, 176, 12},
       {L"Button", L"&Ok", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 79, 41, 50, 14},
       {L"Button", L"&Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 133, 41, 50, 14}});
}

// Message boxes of the set-password dialog: modal to the dialog, placed over the main window.
class CenteredMessages final : public UserInteraction {
 public:
  explicit CenteredMessages(HWND dialog) : dialog_(dialog) { boxes_.SetOwner(dialog); }

  MessageAnswer ShowMessage(const std::wstring& text, MessageKind kind,
                            MessageButtons buttons) override {
    // Handled by the box's own message loop, once the box exists.
    ::PostMessageW(dialog_, kCenterMessageBox, 0, 0);
    return boxes_.ShowMessage(text, kind, buttons);
  }

 private:
  HWND dialog_;
  Win32UserInteraction boxes_;
};

// The message box that `owner` has open, if any.
HWND OpenMessageBox(HWND owner) {
  struct Search {
    HWND owner;
    HWND found = nullptr;
  } search{owner};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM context) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(context);
        wchar_t className[16] = {};
        ::GetClassNameW(window, className, 16);
        if (::GetWindow(window, GW_OWNER) != search.owner || std::wstring(className) != L"#32770")
          return TRUE;
        search.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The masked fields show a "*" for each character, whatever the visual style's default is.
void MaskWithAsterisks(HWND field) {
  ::SendMessageW(field, EM_SETPASSWORDCHAR, L'*', 0);
}

}  // namespace

ReusableDialog::~ReusableDialog() {
  if (handle_) {
    ::SetWindowLongPtrW(handle_, DWLP_USER, 0);
    ::DestroyWindow(handle_);
  }
}

void ReusableDialog::Create(const DialogTemplate& dialogTemplate, HWND owner) {
  ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), dialogTemplate.Get(), owner,
                               &ReusableDialog::Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ReusableDialog::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    reinterpret_cast<ReusableDialog*>(lParam)->handle_ = window;
    return TRUE;
  }
  auto* self = reinterpret_cast<ReusableDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
  if (!self) return FALSE;
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    // Enter presses the default button, Esc and the close box come as IDCANCEL.
    switch (LOWORD(wParam)) {
      case IDOK:
        RunReportingErrors(self->errors_, [self] { self->OnOk(); });
        return TRUE;
      case IDCANCEL:
        self->Close(IDCANCEL);
        return TRUE;
    }
  }
  bool handled = false;
  // Errors must not cross the window manager's frames: report them here and go on.
  RunReportingErrors(self->errors_, [&] { handled = self->OnMessage(message, wParam, lParam); });
  return handled;
}

int ReusableDialog::ShowModal(HWND owner) {
  if (showing_) return IDCANCEL;
  showing_ = true;
  result_.reset();
  const bool disableOwner = owner && ::IsWindowEnabled(owner);
  if (disableOwner) ::EnableWindow(owner, FALSE);
  ::ShowWindow(handle_, SW_SHOW);
  ::SetForegroundWindow(handle_);
  FocusField(kPasswordField);

  MSG message;
  while (!result_) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: the main loop must still see the request.
      if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
      result_ = IDCANCEL;
      break;
    }
    if (!::IsDialogMessageW(handle_, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  // The owner is enabled before the dialog goes, so that it gets the activation back.
  if (disableOwner) ::EnableWindow(owner, TRUE);
  ::ShowWindow(handle_, SW_HIDE);
  showing_ = false;
  return *result_;
}

std::wstring ReusableDialog::FieldText(int id) const {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(Item(id))) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(Item(id), text.data(), static_cast<int>(text.size()))));
  return text;
}

void ReusableDialog::FocusField(int id) {
  // The dialog's own way to move the focus: it also selects the field's text.
  ::SendMessageW(handle_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
}

void SetPasswordDialogWindow::Create(HWND mainWindow) {
  mainWindow_ = mainWindow;
  ReusableDialog::Create(SetPasswordTemplate(), mainWindow);
  MaskWithAsterisks(Item(kPasswordField));
  MaskWithAsterisks(Item(kConfirmPasswordField));
}

std::optional<std::wstring> SetPasswordDialogWindow::ShowOverMainWindow() {
  CenterWindowOver(mainWindow_, Handle());
  if (ShowModal(mainWindow_) != IDOK) return std::nullopt;
  return FieldText(kPasswordField);
}

void SetPasswordDialogWindow::OnOk() {
  CenteredMessages messages(Handle());
  if (AcceptPasswordFields(FieldText(kPasswordField), FieldText(kConfirmPasswordField), messages)) {
    Close(IDOK);
  } else {
    FocusField(kPasswordField);
  }
}

bool SetPasswordDialogWindow::OnMessage(UINT message, WPARAM, LPARAM) {
  if (message != kCenterMessageBox) return false;
  if (HWND box = OpenMessageBox(Handle())) CenterWindowOver(mainWindow_, box);
  return true;
}

void PasswordPromptWindow::Create() {
  ReusableDialog::Create(PromptTemplate(), nullptr);
  MaskWithAsterisks(Item(kPasswordField));
}

std::optional<std::wstring> PasswordPromptWindow::Ask(bool emptyField) {
  if (emptyField) ::SetWindowTextW(Item(kPasswordField), L"");
  RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  RECT own{};
  ::GetWindowRect(Handle(), &own);
  ::SetWindowPos(Handle(), nullptr, (screen.right - (own.right - own.left)) / 2,
                 (screen.bottom - (own.bottom - own.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (ShowModal(nullptr) != IDOK) return std::nullopt;
  return FieldText(kPasswordField);
}

}  // namespace dpx::win32
