#include "ui/win32/tooltips.h"

namespace dpx::win32 {

Tooltips::Tooltips(HWND owner)
    : tooltip_(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr)) {
  ::SendMessageW(tooltip_.Get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(5000, 0));
  // Long hints wrap instead of running off the screen.
  ::SendMessageW(tooltip_.Get(), TTM_SETMAXTIPWIDTH, 0, 400);
}

void Tooltips::Add(HWND dialog, int id, const wchar_t* hint) {
  Add(::GetDlgItem(dialog, id), hint);
}

void Tooltips::Add(HWND control, const wchar_t* hint) {
  if (!control || !tooltip_) return;
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = ::GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(hint);
  ::SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace dpx::win32
