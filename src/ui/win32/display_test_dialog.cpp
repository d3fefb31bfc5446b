#include "ui/win32/display_test_dialog.h"

#include <string>
#include <vector>

#include "actions/restore_countdown.h"
#include "platform/win32/unique_handle.h"

namespace dpx::ui {
namespace {

constexpr UINT_PTR kCountdownTimer = 1;
constexpr UINT kCountdownInterval = 1000;  // milliseconds

inline HFONT NullFont() {
  return nullptr;
}
inline void DeleteFont(HFONT font) {
  ::DeleteObject(font);
}
using UniqueFont = win32::UniqueResource<HFONT, DeleteFont, NullFont>;

// A dialog template in memory, laid out as DialogBoxIndirect reads it: WORDs, each item on a
// DWORD boundary.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, DWORD exStyle, short cx, short cy, const wchar_t* title,
                 WORD pointSize, const wchar_t* font) {
    Add32(style);
    Add32(exStyle);
    itemCountAt_ = words_.size();
    words_.push_back(0);
    AddRect(0, 0, cx, cy);
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    AddText(title);
    words_.push_back(pointSize);
    AddText(font);
  }

  void AddItem(WORD classAtom, int id, DWORD style, short x, short y, short cx, short cy,
               const wchar_t* text) {
    if (words_.size() % 2 != 0) words_.push_back(0);
    Add32(style | WS_CHILD | WS_VISIBLE);
    Add32(0);
    AddRect(x, y, cx, cy);
    words_.push_back(static_cast<WORD>(id));
    words_.push_back(0xFFFF);
    words_.push_back(classAtom);
    AddText(text);
    words_.push_back(0);  // no creation data
    ++words_[itemCountAt_];
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Add32(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  void AddRect(short x, short y, short cx, short cy) {
    for (short value : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(value));
  }
  void AddText(const wchar_t* text) {
    for (; *text; ++text) words_.push_back(static_cast<WORD>(*text));
    words_.push_back(0);
  }

  // The heap block is aligned for any type, so the template starts on a DWORD boundary.
  std::vector<WORD> words_;
  std::size_t itemCountAt_ = 0;
};

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;

DialogTemplate MakeTemplate() {
  // No WS_SYSMENU: no title-bar buttons, so the frame cannot close it.
  DialogTemplate dialog(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION,
                        WS_EX_TOPMOST, 200, 68, kDisplayTestCaption, 8, L"MS Shell Dlg");
  dialog.AddItem(kStaticClass, kDisplayTestQuestionId, SS_CENTER, 8, 8, 184, 10,
                 L"Does this mode display correctly?");
  dialog.AddItem(kStaticClass, kDisplayTestSecondsId, SS_CENTER, 8, 24, 184, 10, L"");
  dialog.AddItem(kButtonClass, IDYES, BS_DEFPUSHBUTTON | WS_TABSTOP, 44, 44, 50, 14, L"&Yes");
  dialog.AddItem(kButtonClass, IDNO, BS_PUSHBUTTON | WS_TABSTOP, 106, 44, 50, 14, L"&No");
  return dialog;
}

struct DialogState {
  RestoreCountdown countdown;
  UniqueFont boldFont;
};

void ShowSeconds(HWND dialog, const DialogState& state) {
  ::SetDlgItemTextW(dialog, kDisplayTestSecondsId, state.countdown.Text().c_str());
}

void MakeTextsBold(HWND dialog, DialogState& state) {
  LOGFONTW font{};
  const auto dialogFont = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
  if (!dialogFont || !::GetObjectW(dialogFont, sizeof font, &font)) return;
  font.lfWeight = FW_BOLD;
  state.boldFont.Reset(::CreateFontIndirectW(&font));
  if (!state.boldFont) return;
  for (int id : {kDisplayTestQuestionId, kDisplayTestSecondsId}) {
    ::SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(state.boldFont.Get()),
                          FALSE);
  }
}

void Close(HWND dialog, INT_PTR result) {
  ::KillTimer(dialog, kCountdownTimer);
  ::EndDialog(dialog, result);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      state = reinterpret_cast<DialogState*>(lParam);
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      MakeTextsBold(dialog, *state);
      ::SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      state->countdown.Start();
      ShowSeconds(dialog, *state);
      ::SetTimer(dialog, kCountdownTimer, kCountdownInterval, nullptr);
      return TRUE;
    case WM_TIMER:
      if (wParam != kCountdownTimer || !state) return FALSE;
      {
        const bool closeNow = state->countdown.Tick();
        ShowSeconds(dialog, *state);
        if (closeNow) Close(dialog, 0);
      }
      return TRUE;
    case WM_COMMAND:
      // Escape and Alt+F4 arrive as IDCANCEL: ignored, as the dialog has no close button.
      if (LOWORD(wParam) == IDYES || LOWORD(wParam) == IDNO) Close(dialog, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void DisplayTestDialog::ShowModal() {
  const DialogTemplate dialogTemplate = MakeTemplate();
  DialogState state;
  ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialogTemplate.Get(), owner_, DialogProc,
                            reinterpret_cast<LPARAM>(&state));
}

}  // namespace dpx::ui
