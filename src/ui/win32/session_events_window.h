#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <utility>

#include "ui/win32/ui_handles.h"

namespace dpx::win32 {

// What became of a restore request another start of dpx.exe sent.
enum class RestoreOutcome {
  kRestored,  // hide mode is over
  kFailed,    // the restore raised an error
  kAfterPass  // kept behind the running pass; asking again later tells how it went
};

// What the desktop tells a running DPX about its session, and what it runs for each.
struct SessionEventHandlers {
  // "dpx.exe /restore" started elsewhere; the handler calls `answer` with the outcome before
  // anything it shows.
  std::function<void(const std::function<void(RestoreOutcome)>& answer)> restoreRequested;
  std::function<void()> shellRestarted;  // the shell made a new taskbar ("TaskbarCreated")
  std::function<void()> sessionEnding;   // logoff or shutdown asks whether it may go on
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

// The exit code of a "/restore" whose recovery left something hidden or changed, and of one
// that the running instance did not confirm.
inline constexpr int kRecoveryFailedExitCode = 1;
inline constexpr int kRestoreNotConfirmedExitCode = 2;

// Asks the running instance to end its hide mode, waiting up to `bound` for it to listen (it may
// be starting), to answer and to finish a pass it is in. True only when it confirmed that its
// desktop is back. It restores its own windows, so two processes never work on them at once.
bool AskRunningInstanceToRestore(std::chrono::milliseconds bound);

}  // namespace dpx::win32
