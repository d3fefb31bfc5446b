#pragma once

#include <windows.h>

#include "ui/win32/ui_handles.h"

namespace dpx::win32 {

// The hints of a window's controls, shown as tool tips that stay up for 5000 ms.
class Tooltips {
 public:
  explicit Tooltips(HWND owner);

  // Adds the hint of the control `id` of `dialog`.
  void Add(HWND dialog, int id, const wchar_t* hint);
  void Add(HWND control, const wchar_t* hint);

 private:
  UniqueWindow tooltip_;
};

}  // namespace dpx::win32
