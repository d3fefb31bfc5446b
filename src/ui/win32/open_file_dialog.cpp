#include "ui/win32/open_file_dialog.h"

#include <commdlg.h>

#include <vector>

namespace dpx::win32 {

std::optional<std::wstring> Win32ProgramFileDialog::ChooseFile() {
  std::vector<wchar_t> name(MAX_PATH * 4, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = L"All files\0*.*\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  // No default extension: the wildcard "*.*" as one would turn a typed "mail" into "mail.*.*".
  // The file must exist, since a name that is not there can be neither protected nor started;
  // the process's current folder stays where it was.
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST |
                 OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
  return std::wstring(name.data());
}

}  // namespace dpx::win32
