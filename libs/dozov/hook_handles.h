#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace dozov {

inline HHOOK NullHook() {
  return nullptr;
}
inline void RemoveHook(HHOOK hook) {
  ::UnhookWindowsHookEx(hook);
}
// A hook set with SetWindowsHookExW.
using UniqueHook = dpx::win32::UniqueResource<HHOOK, RemoveHook, NullHook>;

inline HWINEVENTHOOK NullEventHook() {
  return nullptr;
}
inline void RemoveEventHook(HWINEVENTHOOK hook) {
  ::UnhookWinEvent(hook);
}
// A hook set with SetWinEventHook.
using UniqueEventHook = dpx::win32::UniqueResource<HWINEVENTHOOK, RemoveEventHook, NullEventHook>;

inline UINT_PTR NoTimer() {
  return 0;
}
inline void KillThreadTimer(UINT_PTR timer) {
  ::KillTimer(nullptr, timer);
}
// A timer of the calling thread, set with SetTimer without a window.
using UniqueThreadTimer = dpx::win32::UniqueResource<UINT_PTR, KillThreadTimer, NoTimer>;

// This library's own module, which the system loads into hooked programs.
HINSTANCE ThisLibrary();

}  // namespace dozov
