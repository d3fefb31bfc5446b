#pragma once

#include <windows.h>

#include "platform/hot_keys.h"

namespace dpx::win32 {

// Hot keys registered on one window, which receives their WM_HOTKEY messages.
class Win32HotKeys final : public HotKeyRegistrar {
 public:
  explicit Win32HotKeys(HWND window) : window_(window) {}

  bool Register(int id, unsigned modifiers, unsigned keyCode) override;
  void Unregister(int id) override;

 private:
  HWND window_;
};

}  // namespace dpx::win32
