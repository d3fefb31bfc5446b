#include "ui/win32/mouse_shortcut_dialog.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "ui/win32/hotkeys_layout_window.h"
#include "ui/win32/resource.h"

namespace dpx::win32 {
namespace {

// The boxes in the order of the corners: top-left, top-right, bottom-left, bottom-right.
constexpr std::array<int, CornerChoice::kCorners> kCornerBoxes = {
    IDC_CB_TOP_LEFT, IDC_CB_TOP_RIGHT, IDC_CB_BOTTOM_LEFT, IDC_CB_BOTTOM_RIGHT};

struct SpinControls {
  int edit;
  int arrows;
  SpinField MouseShortcutForm::*field;
};
constexpr std::array<SpinControls, 2> kSpins = {{
    {IDC_ED_HOVER_INTERVAL, IDC_SPIN_HOVER_INTERVAL, &MouseShortcutForm::hoverInterval},
    {IDC_ED_ZONE_SIZE, IDC_SPIN_ZONE_SIZE, &MouseShortcutForm::zoneSize},
}};

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

void ShowCorners(HWND dialog, const CornerChoice& corners) {
  for (int box = 0; box < CornerChoice::kCorners; ++box)
    ::CheckDlgButton(dialog, kCornerBoxes[static_cast<std::size_t>(box)],
                     corners.IsChecked(box) ? BST_CHECKED : BST_UNCHECKED);
}

void ShowSpin(HWND dialog, const SpinControls& spin, const MouseShortcutForm& form) {
  ::SetDlgItemTextW(dialog, spin.edit, (form.*spin.field).Text().c_str());
}

void Init(HWND dialog, HWND owner, MouseShortcutForm& form) {
  for (const SpinControls& spin : kSpins) {
    const SpinField& field = form.*spin.field;
    // The arrows only step the field; its text stays the field's own.
    ::SendDlgItemMessageW(dialog, spin.arrows, UDM_SETRANGE32, field.Minimum(), field.Maximum());
    ShowSpin(dialog, spin, form);
  }
  ShowCorners(dialog, form.corners);
  if (owner) CenterWindowOver(owner, dialog);
}

void OnCommand(HWND dialog, MouseShortcutForm& form, int id, int code) {
  for (int box = 0; box < CornerChoice::kCorners; ++box) {
    if (id == kCornerBoxes[static_cast<std::size_t>(box)] && code == BN_CLICKED) {
      form.corners.Click(box);
      ShowCorners(dialog, form.corners);
      return;
    }
  }
  for (const SpinControls& spin : kSpins) {
    if (id != spin.edit) continue;
    SpinField& field = form.*spin.field;
    if (code == EN_CHANGE) field.SetText(TextOf(::GetDlgItem(dialog, id)));
    if (code == EN_KILLFOCUS) {
      field.LoseFocus();
      ShowSpin(dialog, spin, form);
    }
    return;
  }
  if (id == IDOK || id == IDCANCEL) ::EndDialog(dialog, id);
}

// True when the notice was an arrow click (or arrow key) of one of the spin fields.
bool OnArrows(HWND dialog, MouseShortcutForm& form, const NMHDR& header) {
  if (header.code != UDN_DELTAPOS) return false;
  for (const SpinControls& spin : kSpins) {
    if (static_cast<int>(header.idFrom) != spin.arrows) continue;
    const int delta = reinterpret_cast<const NMUPDOWN&>(header).iDelta;
    SpinField& field = form.*spin.field;
    if (delta > 0) field.StepUp();
    if (delta < 0) field.StepDown();
    ShowSpin(dialog, spin, form);
    return true;
  }
  return false;
}

struct DialogState {
  HWND owner;
  MouseShortcutForm* form;
};

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    const auto* state = reinterpret_cast<const DialogState*>(lParam);
    Init(dialog, state->owner, *state->form);
    return TRUE;
  }
  const auto* state = reinterpret_cast<const DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  if (!state) return FALSE;
  switch (message) {
    case WM_COMMAND:
      OnCommand(dialog, *state->form, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_NOTIFY:
      if (!OnArrows(dialog, *state->form, *reinterpret_cast<const NMHDR*>(lParam))) return FALSE;
      // Nonzero: the arrows keep no position of their own.
      ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool MouseShortcutDialogWindow::ShowModal(MouseShortcutForm& form) {
  DialogState state{owner_, &form};
  return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MOUSE_SHORTCUT),
                           owner_, Procedure, reinterpret_cast<LPARAM>(&state)) == IDOK;
}

}  // namespace dpx::win32
