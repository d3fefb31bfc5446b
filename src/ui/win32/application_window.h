#pragma once

#include <windows.h>

#include "ui/win32/ui_handles.h"

namespace dpx::win32 {

// The program's application-level window. The platform has none of its own, so DPX makes one as
// classic frameworks do: a zero-size top-level window titled with the application title. It owns
// the main window and carries the taskbar button, so it is visible exactly while the main window
// is shown. It hands the focus on to the main window and forwards a close to it.
class ApplicationWindow {
 public:
  void Create();
  HWND Handle() const { return window_.Get(); }
  void SetMainWindow(HWND main);

 private:
  UniqueWindow window_;
};

}  // namespace dpx::win32
