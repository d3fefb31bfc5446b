#pragma once

#include <windows.h>

#include <array>

#include "app/user_interaction.h"
#include "triggers/capture_field.h"

namespace dpx::win32 {

// The three capture fields of the Shortcuts sub-page as windows: their edits are subclassed so
// that a key press sets the field's hot key text instead of typing into it, and every release
// registers the hot key again.
class HotKeyFieldWindows {
 public:
  // `errors` shows what a handler raises (the general error report).
  HotKeyFieldWindows(HotKeyCaptureFields& fields, UserInteraction& errors)
      : fields_(fields), errors_(errors) {}
  HotKeyFieldWindows(const HotKeyFieldWindows&) = delete;
  HotKeyFieldWindows& operator=(const HotKeyFieldWindows&) = delete;
  ~HotKeyFieldWindows();

  // The edit of each hot key id (0, 1, 2) in that order.
  void Attach(const std::array<HWND, 3>& edits);

 private:
  static LRESULT CALLBACK Procedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
  LRESULT OnMessage(HWND edit, HotKeyCaptureField& field, UINT message, WPARAM wParam,
                    LPARAM lParam);

  HotKeyCaptureFields& fields_;
  UserInteraction& errors_;
  std::array<HWND, 3> edits_{};
  // While a release registers (and perhaps shows its failure), key messages already queued for
  // the fields are dropped: one release, one message.
  bool registering_ = false;
};

}  // namespace dpx::win32
