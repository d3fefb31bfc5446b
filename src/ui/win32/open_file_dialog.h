#pragma once

#include <windows.h>

#include "app/list_editing.h"

namespace dpx::win32 {

// The system's file-open dialog for "Add application from disk", over the given window.
class Win32ProgramFileDialog final : public ProgramFileDialog {
 public:
  explicit Win32ProgramFileDialog(HWND owner) : owner_(owner) {}

  std::optional<std::wstring> ChooseFile() override;

 private:
  HWND owner_;
};

}  // namespace dpx::win32
