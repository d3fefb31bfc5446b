#include "ui/win32/main_form.h"

#include <commctrl.h>

#include "platform/win32/window_manager_win32.h"
#include "triggers/hot_corners.h"
#include "ui/win32/help.h"
#include "ui/win32/pictures.h"
#include "ui/win32/resource.h"
#include "ui/win32/shell_actions.h"

namespace dpx::win32 {
namespace {

constexpr wchar_t kVersionText[] = L"Version 5.8";

struct Hint {
  int id;
  const wchar_t* text;
};
constexpr Hint kButtonHints[] = {
    {IDC_BTN_WINDOWS, L"Display the window behaviour setup panel"},
    {IDC_BTN_OPTIONS, L"Display the extra settings panel"},
    {IDC_BTN_ABOUT, L"About the product."},
    {IDC_BTN_HELP, L"Show the help file"},
    {IDC_BTN_HIDE, L"Hide this window"},
    {IDC_BTN_TERMINATE, L"Stop the application"},
};

bool IsLinkActivation(LPARAM lParam, int linkId) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  return static_cast<int>(header->idFrom) == linkId &&
         (header->code == NM_CLICK || header->code == NM_RETURN);
}

OptionsPage::Actions WithLayoutWindow(OptionsPage::Actions actions,
                                      std::function<void()> showLayout) {
  actions.showHotkeysLayout = std::move(showLayout);
  return actions;
}

}  // namespace

MainForm::MainForm(UserInteraction& ui, TextServices& text, Options& options, std::wstring helpFile,
                   MainWindowHandlers handlers)
    : DialogWindow(ui),
      helpFile_(std::move(helpFile)),
      handlers_(std::move(handlers)),
      windowsPage_(ui, text, options, {handlers_.refreshList, handlers_.hideAll}),
      optionsPage_(
          ui, options,
          WithLayoutWindow(handlers_.extraSettings, [this] { hotkeysLayout_.ShowOver(Handle()); })),
      aboutPage_(ui, [this](UINT m, WPARAM w, LPARAM l) { return OnAboutMessage(m, w, l); }),
      hotkeysLayout_(ui) {}

void MainForm::Create() {
  application_.Create();
  DialogWindow::Create(IDD_MAIN, application_.Handle());
  application_.SetMainWindow(Handle());
  // The other windows that live for the whole run, created hidden.
  hotkeysLayout_.Create(application_.Handle());
}

std::optional<INT_PTR> MainForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit();
      return FALSE;  // the focus stays on the "&Windows" button
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      // The close query saves; when it throws, the error is reported and the window stays.
      handlers_.closeQuery();
      ::PostQuitMessage(0);
      return TRUE;
    case WM_QUERYENDSESSION:
      handlers_.closeQuery();
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) handlers_.sessionEnding();
      return 0;
    case WM_HOTKEY:
      handlers_.hotKey(static_cast<int>(wParam), HIWORD(lParam),
                       optionsPage_.IsCaptureField(::GetFocus()));
      return TRUE;
    case WM_TIMER:
      if (wParam == kHeldKeyTimerId) {
        handlers_.heldKeyTimer();
        return TRUE;
      }
      if (wParam != kMouseTimerId) return std::nullopt;
      handlers_.mouseTimer();
      return TRUE;
    case WM_DRAWITEM:
      DrawBanner(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hDC,
                 reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->rcItem);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      // The version text and the link sit on the banner.
      if (reinterpret_cast<HWND>(lParam) == Item(IDC_VERSION_INFO) ||
          reinterpret_cast<HWND>(lParam) == Item(IDC_HEADER_LINK)) {
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        ::SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
      }
      return std::nullopt;
    case WM_NOTIFY:
      if (IsLinkActivation(lParam, IDC_HEADER_LINK)) OpenMakerWebSite();
      return 0;
    case WM_HELP:
      ShowHelpFor(static_cast<HWND>(reinterpret_cast<const HELPINFO*>(lParam)->hItemHandle));
      return TRUE;
  }
  return std::nullopt;
}

void MainForm::OnInit() {
  ::SetWindowContextHelpId(Handle(), help::kMainWindow);
  tips_ = std::make_unique<Tooltips>(Handle());
  for (const Hint& hint : kButtonHints) tips_->Add(Handle(), hint.id, hint.text);

  windowsPage_.Create(Handle(), *tips_);
  optionsPage_.Create(Handle(), *tips_);
  aboutPage_.Create(IDD_PAGE_ABOUT, Handle());
  ::SetWindowContextHelpId(aboutPage_.Handle(), help::kAboutPage);
  for (HWND page : {windowsPage_.Handle(), optionsPage_.Handle(), aboutPage_.Handle()})
    PlaceOver(page, Handle(), IDC_PAGE_AREA);

  ::SetDlgItemTextW(Handle(), IDC_VERSION_INFO, kVersionText);
  ::SetDlgItemTextW(aboutPage_.Handle(), IDC_ABOUT_VERSION, kVersionText);
  SelectPage(IDC_BTN_WINDOWS);
  ::SetTimer(Handle(), kMouseTimerId, HotCorners::kMouseTimerIntervalMs, nullptr);
  handlers_.created();
}

std::optional<INT_PTR> MainForm::OnAboutMessage(UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_DRAWITEM:
      DrawLogo(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hDC,
               reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->rcItem);
      return TRUE;
    case WM_NOTIFY:
      if (IsLinkActivation(lParam, IDC_COMPANY_LINK)) OpenMakerWebSite();
      return 0;
  }
  return std::nullopt;
}

void MainForm::OnCommand(int id) {
  switch (id) {
    case IDC_BTN_WINDOWS:
    case IDC_BTN_OPTIONS:
    case IDC_BTN_ABOUT:
      OnPageButton(id);
      return;
    case IDC_BTN_HELP:
      OpenHelp(helpFile_, help::kMainWindow);
      return;
    case IDC_BTN_HIDE:
      handlers_.hideButton();
      return;
    case IDC_BTN_TERMINATE:
      handlers_.terminateButton();
      return;
  }
  // Enter and Esc (IDOK, IDCANCEL) do nothing: only "&Terminate" closes this window.
}

void MainForm::OnPageButton(int id) {
  const auto pages = {windowsPage_.Handle(), optionsPage_.Handle(), aboutPage_.Handle()};
  switch (id) {
    case IDC_BTN_WINDOWS:
      ShowOnly(windowsPage_.Handle(), pages);
      break;
    case IDC_BTN_OPTIONS:
      ShowOnly(optionsPage_.Handle(), pages);
      handlers_.extraSettingsShown();
      optionsPage_.Focus();
      break;
    case IDC_BTN_ABOUT:
      ShowOnly(aboutPage_.Handle(), pages);
      break;
  }
  // Keyboard focus left on a page now hidden goes to the page's button.
  if (HWND focus = ::GetFocus(); focus && ::IsChild(Handle(), focus) && !::IsWindowVisible(focus))
    ::SetFocus(Item(id));
}

void MainForm::SelectPage(int buttonId) {
  for (int id : {IDC_BTN_WINDOWS, IDC_BTN_OPTIONS, IDC_BTN_ABOUT})
    ::SendMessageW(Item(id), BM_SETCHECK, id == buttonId ? BST_CHECKED : BST_UNCHECKED, 0);
  OnPageButton(buttonId);
}

void MainForm::ShowHelpFor(HWND control) {
  OpenHelp(helpFile_, HelpContextOf(control ? control : Handle()));
}

bool MainForm::OwnsWindow(HWND window) const {
  return window && (window == Handle() || ::IsChild(Handle(), window));
}

bool MainForm::PreTranslateMessage(MSG& message) {
  // Ctrl+F1 may be what the user gives a capture field as a hot key; F1 alone opens the help.
  const bool capturing = optionsPage_.IsCaptureField(message.hwnd) && ::GetKeyState(VK_CONTROL) < 0;
  if (message.message == WM_KEYDOWN && message.wParam == VK_F1 && OwnsWindow(message.hwnd) &&
      !capturing) {
    ShowHelpFor(::GetFocus());
    return true;
  }
  // The dialog manager's mnemonic search loops for good when it starts from a control it cannot
  // reach, such as one on a hidden page: such messages go the plain way.
  if (!::IsWindowVisible(message.hwnd)) return false;
  if (OwnsWindow(message.hwnd)) return ::IsDialogMessageW(Handle(), &message);
  if (message.hwnd == hotkeysLayout_.Handle() || ::IsChild(hotkeysLayout_.Handle(), message.hwnd))
    return ::IsDialogMessageW(hotkeysLayout_.Handle(), &message);
  return false;
}

WindowHandle MainForm::MainWindow() const {
  return FromHwnd(Handle());
}
WindowHandle MainForm::ApplicationWindow() const {
  return FromHwnd(application_.Handle());
}
bool MainForm::IsShown() const {
  return ::IsWindowVisible(Handle()) != FALSE;
}

void MainForm::Show() {
  ::ShowWindow(application_.Handle(), SW_SHOWNA);
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  ::SetActiveWindow(Handle());
}

void MainForm::Hide() {
  ::ShowWindow(Handle(), SW_HIDE);
  ::ShowWindow(application_.Handle(), SW_HIDE);
}

}  // namespace dpx::win32
