#include "ui/win32/help.h"

#include <htmlhelp.h>

namespace dpx::win32 {

void OpenHelp(const std::wstring& helpFile, DWORD context) {
  ::HtmlHelpW(::GetDesktopWindow(), helpFile.c_str(), HH_HELP_CONTEXT, context);
}

DWORD HelpContextOf(HWND control) {
  for (HWND window = control; window; window = ::GetParent(window)) {
    if (const DWORD context = ::GetWindowContextHelpId(window)) return context;
    if ((::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) == 0) break;
  }
  return help::kMainWindow;
}

}  // namespace dpx::win32
