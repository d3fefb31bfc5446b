#include "ui/win32/shell_actions.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace dpx::win32 {

void OpenMakerWebSite() {
  ::ShellExecuteW(nullptr, L"open", kMakerWebSite, nullptr, L"", SW_SHOW);
}

}  // namespace dpx::win32
