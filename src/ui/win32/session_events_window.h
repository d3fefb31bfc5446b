#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

#include "ui/win32/ui_handles.h"

namespace dpx::win32 {

// What the desktop tells a running DPX about its session, and what it runs for each.
struct SessionEventHandlers {
  std::function<void()> restoreRequested;  // "dpx.exe /restore" started elsewhere
  std::function<void()> shellRestarted;    // the shell made a new taskbar ("TaskbarCreated")
  std::function<void()> sessionEnding;     // logoff or shutdown asks whether it may go on
};

// A hidden, untitled top-level window (never captured, never shown) that receives the shell's
// broadcasts, the session's end and restore requests from another start of dpx.exe.
class SessionEventsWindow {
 public:
  explicit SessionEventsWindow(SessionEventHandlers handlers) : handlers_(std::move(handlers)) {}
  void Create();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  SessionEventHandlers handlers_;
  UINT restoreMessage_ = 0;
  UINT taskbarCreatedMessage_ = 0;
  UniqueWindow window_;
};

// Asks the running instance to end its hide mode; true when it answered within the bound. It
// restores its own windows, so two processes never work on them at once.
bool AskRunningInstanceToRestore(std::chrono::milliseconds bound);

}  // namespace dpx::win32
