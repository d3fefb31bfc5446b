#include "ui/win32/hot_key_fields.h"

#include <commctrl.h>

#include <cstdint>
#include <utility>

#include "ui/win32/message_boxes.h"

namespace dpx::win32 {

HotKeyFieldWindows::~HotKeyFieldWindows() {
  for (std::size_t id = 0; id < edits_.size(); ++id)
    if (edits_[id] && ::IsWindow(edits_[id]))
      ::RemoveWindowSubclass(edits_[id], &HotKeyFieldWindows::Procedure, id);
}

void HotKeyFieldWindows::Attach(const std::array<HWND, 3>& edits) {
  edits_ = edits;
  for (std::size_t id = 0; id < edits_.size(); ++id)
    ::SetWindowSubclass(edits_[id], &HotKeyFieldWindows::Procedure, id,
                        reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK HotKeyFieldWindows::Procedure(HWND edit, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR id, DWORD_PTR self) {
  auto* windows = reinterpret_cast<HotKeyFieldWindows*>(self);
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(edit, &HotKeyFieldWindows::Procedure, id);
    windows->edits_[id] = nullptr;
    return ::DefSubclassProc(edit, message, wParam, lParam);
  }
  return windows->OnMessage(edit, windows->fields_.Field(static_cast<int>(id)), message, wParam,
                            lParam);
}

LRESULT HotKeyFieldWindows::OnMessage(HWND edit, HotKeyCaptureField& field, UINT message,
                                      WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      // Every key, Tab, Enter, Esc and Alt combinations too, comes to the field rather than to
      // the dialog manager's navigation: any of them may be the hot key.
      return ::DefSubclassProc(edit, message, wParam, lParam) | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      if (registering_) return 0;
      const ShiftState shift =
          ShiftStateOfKeyMessage(::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_CONTROL) < 0,
                                 static_cast<std::uintptr_t>(lParam));
      auto keyCode = static_cast<std::uint16_t>(wParam);
      RunReportingErrors(errors_, [&] {
        if (field.KeyDown(keyCode, shift)) ::SetWindowTextW(edit, field.Text().c_str());
      });
      return 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (std::exchange(registering_, true)) return 0;
      RunReportingErrors(errors_, [&] { field.KeyUp(); });
      registering_ = false;
      return 0;
    // Nothing typed, pasted or cut ever changes the text.
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
      return 0;
  }
  return ::DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace dpx::win32
