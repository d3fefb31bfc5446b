#include "ui/win32/options_page.h"

#include <commctrl.h>

#include "actions/volume_value.h"
#include "ui/win32/help.h"
#include "ui/win32/pictures.h"
#include "ui/win32/resource.h"

namespace dpx::win32 {
namespace {

struct CheckBinding {
  int id;
  bool Options::*option;
};
// Check boxes whose checked state is the option itself.
constexpr CheckBinding kOptionChecks[] = {
    {IDC_CB_HIDE_NEW_WINDOWS, &Options::hideNewlyCreatedWindows},
    {IDC_CB_CLOSE_ACTIVE, &Options::closeActiveWindow},
    {IDC_CB_HIDE_WALLPAPER, &Options::hideWallpaper},
    {IDC_CB_LOCK_WORKSTATION, &Options::lockWorkstation},
    {IDC_CB_MODIFY_VOLUME, &Options::modifyVolume},
    {IDC_CB_SELECTED_MUTED, &Options::volumeMuted},
    {IDC_CB_SWITCH_RESOLUTION, &Options::switchResolution},
};

struct Hint {
  int id;
  const wchar_t* text;
};
constexpr wchar_t kCaptureFieldHint[] =
    L"Click in this field and hit the key of your choice. Please click outside the box using your "
    L"mouse before hitting any other keys.";
constexpr Hint kHints[] = {
    {IDC_CB_AUTO_START,
     L"Auto start the application. (Starts silently without appearing on screen)"},
    {IDC_CB_HIDE_NEW_WINDOWS,
     L"Use this option to prevent the newly created windows from being displayed on the screen."},
    {IDC_CB_CLOSE_ACTIVE,
     L"Use this option to close the program that you was using before hiding the windows."},
    {IDC_CB_HIDE_WALLPAPER,
     L"Use this option to hide your wallpaper image when the hot key is pressed"},
    {IDC_CB_APP_PASSWORD,
     L"The application will request a password every time you try to start it or access the "
     L"settings."},
    {IDC_BTN_SET_PASSWORD, L"Click to set a password."},
    {IDC_ED_HK_WINDOWS, kCaptureFieldHint},
    {IDC_ED_HK_PROGRAM, kCaptureFieldHint},
    {IDC_ED_HK_SSAVER, kCaptureFieldHint},
    {IDC_BTN_MOUSE_WIN, L"Activate On Mouse Shortcut"},
    {IDC_BTN_MOUSE_SSAVER, L"Activate On Mouse Shortcut"},
    {IDC_GB_HK_SSAVER, L"Start Screen saver hot key configuration"},
    {IDC_CB_LOCK_WORKSTATION, L"This feature is available only for Windows 2000/XP/NT systems"},
    {IDC_GB_CURRENT_VOLUME, L"Display Only Panel"},
    {IDC_SLIDER_SELECTED_VOLUME, L"Desired volume level slider"},
    {IDC_CB_SELECTED_MUTED, L"Mute the sound."},
    {IDC_BTN_GET_VOLUME,
     L"Click to synchronize the \"Current volume level\" indicator with your volume settings."},
    {IDC_BTN_TEST_SOUND, L"Play sound with the selected volume level."},
    {IDC_CB_SWITCH_RESOLUTION, L"Enable display resolution switching on hot key."},
    {IDC_ED_RESOLUTION_INFO, L"Currently selected display resolution"},
    {IDC_BTN_SELECT_RESOLUTION, L"List of all display resolutions supported by your video board."},
    {IDC_BTN_TEST_RESOLUTION, L"Click to switch to the resolution listed above."},
    {IDC_ED_CURRENT_RESOLUTION, L"Currently selected display resolution"},
};

// Controls of the Sound sub-page's "Current" and " Desired " groups have their own help topic.
constexpr int kVolumeGroupControls[] = {
    IDC_GB_CURRENT_VOLUME, IDC_SLIDER_GLOBAL_VOLUME,   IDC_CB_GLOBAL_MUTED,
    IDC_GB_DESIRED_VOLUME, IDC_SLIDER_SELECTED_VOLUME, IDC_CB_SELECTED_MUTED,
};

void SetChecked(HWND control, bool checked) {
  ::SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Focus only what the user can see: a hidden page must never hold the keyboard focus (the
// dialog manager's mnemonic search never ends when it starts from a hidden control).
void FocusIfShown(HWND control) {
  if (::IsWindowVisible(control)) ::SetFocus(control);
}

void SetupVolumeSlider(HWND slider) {
  ::SendMessageW(slider, TBM_SETRANGEMIN, FALSE, 0);
  ::SendMessageW(slider, TBM_SETRANGEMAX, TRUE, kFullVolume);
  ::SendMessageW(slider, TBM_SETLINESIZE, 0, 1000);
  ::SendMessageW(slider, TBM_SETPAGESIZE, 0, 10000);
}

}  // namespace

OptionsPage::OptionsPage(UserInteraction& ui, Options& options, Actions actions)
    : DialogWindow(ui),
      options_(options),
      actions_(std::move(actions)),
      general_(ui, [this](UINT m, WPARAM w,
                          LPARAM l) { return OnSubPageMessage(general_.Handle(), m, w, l); }),
      shortcuts_(ui, [this](UINT m, WPARAM w,
                            LPARAM l) { return OnSubPageMessage(shortcuts_.Handle(), m, w, l); }),
      sound_(ui, [this](UINT m, WPARAM w,
                        LPARAM l) { return OnSubPageMessage(sound_.Handle(), m, w, l); }),
      display_(ui, [this](UINT m, WPARAM w, LPARAM l) {
        return OnSubPageMessage(display_.Handle(), m, w, l);
      }) {}

void OptionsPage::Create(HWND mainWindow, Tooltips& tips) {
  tips_ = &tips;
  DialogWindow::Create(IDD_PAGE_OPTIONS, mainWindow);
  ::SetWindowContextHelpId(Handle(), help::kExtraSettingsPage);
}

HWND OptionsPage::Control(int id) const {
  for (const SubPage* page : {&general_, &shortcuts_, &sound_, &display_})
    if (HWND control = page->Item(id)) return control;
  return Item(id);
}

std::optional<INT_PTR> OptionsPage::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit();
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnStripButton(LOWORD(wParam));
      return TRUE;
  }
  return std::nullopt;
}

void OptionsPage::OnInit() {
  const std::pair<SubPage*, std::pair<int, DWORD>> pages[] = {
      {&general_, {IDD_SUB_GENERAL, help::kGeneralSubPage}},
      {&shortcuts_, {IDD_SUB_SHORTCUTS, help::kShortcutsSubPage}},
      {&sound_, {IDD_SUB_SOUND, help::kGeneralSubPage}},
      {&display_, {IDD_SUB_DISPLAY, help::kDisplaySubPage}},
  };
  for (const auto& [page, setup] : pages) {
    page->Create(setup.first, Handle());
    PlaceOver(page->Handle(), Handle(), IDC_SUB_PAGE_AREA);
    ::SetWindowContextHelpId(page->Handle(), setup.second);
  }
  for (int id : kVolumeGroupControls)
    ::SetWindowContextHelpId(Control(id), help::kSoundVolumeGroups);

  SetupVolumeSlider(Control(IDC_SLIDER_GLOBAL_VOLUME));
  SetupVolumeSlider(Control(IDC_SLIDER_SELECTED_VOLUME));
  RECT glyph{0, 0, 20, 12};
  ::MapDialogRect(Handle(), &glyph);
  mouseGlyph_ = MakeMouseBitmap(glyph.right, glyph.bottom);
  for (int id : {IDC_BTN_MOUSE_WIN, IDC_BTN_MOUSE_SSAVER})
    ::SendMessageW(Control(id), BM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(mouseGlyph_.Get()));
  AddHints();
  // The General sub-page is in front when the page is first opened.
  SelectSubPage(IDC_BTN_GENERAL);
}

void OptionsPage::AddHints() {
  for (const Hint& hint : kHints) tips_->Add(Control(hint.id), hint.text);
}

std::optional<INT_PTR> OptionsPage::OnSubPageMessage(HWND subPage, UINT message, WPARAM wParam,
                                                     LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnClick(subPage, LOWORD(wParam));
      return TRUE;
    case WM_VSCROLL:
      // Only the user moves the desired-volume slider; its position 0 is the full level.
      if (reinterpret_cast<HWND>(lParam) == Control(IDC_SLIDER_SELECTED_VOLUME)) {
        const auto position = ::SendMessageW(reinterpret_cast<HWND>(lParam), TBM_GETPOS, 0, 0);
        options_.volume = VolumeFromSliderPosition(static_cast<int>(position));
      }
      return TRUE;
  }
  return std::nullopt;
}

void OptionsPage::OnClick(HWND subPage, int id) {
  for (const CheckBinding& check : kOptionChecks) {
    if (check.id == id) {
      options_.*check.option = IsDlgButtonChecked(subPage, id) == BST_CHECKED;
      if (actions_.checkedOptionChanged) actions_.checkedOptionChanged();
      return;
    }
  }
  switch (id) {
    case IDC_BTN_SHOW_LAYOUT:
      actions_.showHotkeysLayout();
      return;
    case IDC_BTN_MOUSE_WIN:
    case IDC_BTN_MOUSE_SSAVER: {
      // A two-state button: the click flips it, then the handler decides what it keeps.
      const HWND button = Control(id);
      const bool nowDown = ::SendMessageW(button, BM_GETCHECK, 0, 0) != BST_CHECKED;
      SetChecked(button, nowDown);
      const auto trigger =
          id == IDC_BTN_MOUSE_WIN ? CornerTrigger::kHide : CornerTrigger::kScreenSaver;
      SetChecked(button, actions_.cornerButton(trigger, nowDown));
      return;
    }
    case IDC_BTN_GET_VOLUME:
      actions_.refreshCurrentVolume();
      return;
    case IDC_BTN_TEST_SOUND:
      actions_.testSound();
      return;
    case IDC_BTN_SELECT_RESOLUTION:
      actions_.listResolutions();
      return;
    case IDC_BTN_TEST_RESOLUTION:
      actions_.testResolution();
      return;
    case IDC_CB_AUTO_START: {
      // Not an automatic box: at the click it still shows its old state.
      const bool checkedNow = IsDlgButtonChecked(subPage, id) != BST_CHECKED;
      SetChecked(Control(id), checkedNow);
      actions_.autoStartClicked(checkedNow);
      return;
    }
    case IDC_CB_APP_PASSWORD:
    case IDC_BTN_SET_PASSWORD:
      PasswordClicked(subPage, id);
      return;
  }
}

// The box shows whether a password is set, also when the action failed half-way.
void OptionsPage::PasswordClicked(HWND subPage, int id) {
  struct ShowProtection {
    OptionsPage& page;
    ~ShowProtection() {
      SetChecked(page.Control(IDC_CB_APP_PASSWORD), page.options_.appPasswordProtected);
    }
  } showProtection{*this};
  if (id == IDC_BTN_SET_PASSWORD)
    actions_.setPassword();
  else
    actions_.appPasswordClicked(IsDlgButtonChecked(subPage, id) == BST_CHECKED);
}

void OptionsPage::OnStripButton(int id) {
  switch (id) {
    case IDC_BTN_GENERAL:
      ShowOnly(general_.Handle(),
               {general_.Handle(), shortcuts_.Handle(), sound_.Handle(), display_.Handle()});
      FocusIfShown(Control(IDC_CB_AUTO_START));
      return;
    case IDC_BTN_SHORTCUTS:
      ShowOnly(shortcuts_.Handle(),
               {general_.Handle(), shortcuts_.Handle(), sound_.Handle(), display_.Handle()});
      return;
    case IDC_BTN_SOUND:
      actions_.refreshCurrentVolume();
      ShowOnly(sound_.Handle(),
               {general_.Handle(), shortcuts_.Handle(), sound_.Handle(), display_.Handle()});
      FocusIfShown(Control(IDC_SLIDER_SELECTED_VOLUME));
      return;
    case IDC_BTN_DISPLAY:
      actions_.showCurrentMode();
      ShowOnly(display_.Handle(),
               {general_.Handle(), shortcuts_.Handle(), sound_.Handle(), display_.Handle()});
      FocusIfShown(Control(IDC_ED_RESOLUTION_INFO));
      return;
  }
}

void OptionsPage::SelectSubPage(int buttonId) {
  for (int id : {IDC_BTN_GENERAL, IDC_BTN_SHORTCUTS, IDC_BTN_SOUND, IDC_BTN_DISPLAY})
    SetChecked(Item(id), id == buttonId);
  OnStripButton(buttonId);
}

void OptionsPage::Focus() {
  for (int id : {IDC_BTN_GENERAL, IDC_BTN_SHORTCUTS, IDC_BTN_SOUND, IDC_BTN_DISPLAY}) {
    if (::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED) {
      FocusIfShown(Item(id));
      return;
    }
  }
}

bool OptionsPage::IsCaptureField(HWND window) const {
  return window &&
         (window == CaptureField(0) || window == CaptureField(1) || window == CaptureField(2));
}

HWND OptionsPage::CaptureField(int id) const {
  constexpr int kFields[] = {IDC_ED_HK_WINDOWS, IDC_ED_HK_PROGRAM, IDC_ED_HK_SSAVER};
  return id >= 0 && id < 3 ? Control(kFields[id]) : nullptr;
}

void OptionsPage::ShowAutoStart(bool on) {
  SetChecked(Control(IDC_CB_AUTO_START), on);
}

void OptionsPage::ShowOptions() {
  for (const CheckBinding& check : kOptionChecks)
    SetChecked(Control(check.id), options_.*check.option);
  SetChecked(Control(IDC_CB_APP_PASSWORD), options_.appPasswordProtected);
  SetChecked(Control(IDC_BTN_MOUSE_WIN), options_.hideCorner.enabled);
  SetChecked(Control(IDC_BTN_MOUSE_SSAVER), options_.screenSaverCorner.enabled);
  ::SetWindowTextW(Control(IDC_ED_HK_WINDOWS), options_.hideKey.c_str());
  ::SetWindowTextW(Control(IDC_ED_HK_PROGRAM), options_.programKey.c_str());
  ::SetWindowTextW(Control(IDC_ED_HK_SSAVER), options_.screenSaverKey.c_str());
  ::SendMessageW(Control(IDC_SLIDER_SELECTED_VOLUME), TBM_SETPOS, TRUE,
                 SliderPositionFromVolume(options_.volume));
}

}  // namespace dpx::win32
