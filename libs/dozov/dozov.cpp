#include "dozov.h"

#include <memory>

#include "hook_handles.h"
#include "hook_procs.h"
#include "receiver.h"
#include "shell_watch.h"

namespace dozov {
namespace {

// What is being delivered, kind by kind. Dropping a member stops its kind.
struct Watching {
  std::unique_ptr<ShellWatch> shell;  // 0
  UniqueHook keys;                    // 1
  UniqueHook mouseButtons;            // 4
  UniqueHook lowLevelKeys;            // 6
  UniqueHook sentCloseQueries;        // 8
  UniqueHook postedCloseQueries;      // 8

  bool Any() const {
    return shell || keys || mouseButtons || lowLevelKeys || sentCloseQueries || postedCloseQueries;
  }
};

// The state of the program that loaded the library; its destructor, run when the library is
// freed, removes every hook, so no hook is left calling into freed code.
Watching watching;

UniqueHook Hook(int type, HOOKPROC procedure) {
  return UniqueHook(::SetWindowsHookExW(type, procedure, ThisLibrary(), 0));
}

}  // namespace

HINSTANCE ThisLibrary() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ThisLibrary), &module);
  return module;
}

}  // namespace dozov

using dozov::watching;

extern "C" void __stdcall SetReceiver(HWND receiver) {
  dozov::PublishReceiver(receiver);
}

extern "C" void __stdcall StartWatching(INT32 kind) {
  switch (kind) {
    case 0:
      if (!watching.shell) watching.shell = std::make_unique<dozov::ShellWatch>();
      break;
    case 1:
      if (!watching.keys) watching.keys = dozov::Hook(WH_KEYBOARD, dozov::KeyboardProc);
      break;
    case 4:
      if (!watching.mouseButtons)
        watching.mouseButtons = dozov::Hook(WH_MOUSE_LL, dozov::MouseLowLevelProc);
      break;
    case 6:
      if (!watching.lowLevelKeys)
        watching.lowLevelKeys = dozov::Hook(WH_KEYBOARD_LL, dozov::KeyboardLowLevelProc);
      break;
    case 8:
      if (!watching.sentCloseQueries)
        watching.sentCloseQueries = dozov::Hook(WH_CALLWNDPROC, dozov::CallWndProc);
      if (!watching.postedCloseQueries)
        watching.postedCloseQueries = dozov::Hook(WH_GETMESSAGE, dozov::GetMessageProc);
      break;
  }
}

extern "C" void __stdcall StopWatching(INT32 kind) {
  switch (kind) {
    case 0:
      watching.shell.reset();
      break;
    case 1:
      watching.keys.Reset();
      break;
    case 4:
      watching.mouseButtons.Reset();
      break;
    case 6:
      watching.lowLevelKeys.Reset();
      break;
    case 8:
      watching.sentCloseQueries.Reset();
      watching.postedCloseQueries.Reset();
      break;
  }
}

extern "C" BOOL __stdcall StillWatching(void) {
  return watching.Any() ? TRUE : FALSE;
}

extern "C" void __stdcall StopAll(void) {
  watching = {};
  dozov::PublishReceiver(nullptr);
}
