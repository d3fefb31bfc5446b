#pragma once

#include <windows.h>

#include "hook_handles.h"
#include "new_window_tracker.h"

namespace dozov {

// Kind 0, the shell notifications. Creation, showing, destruction and foreground changes come as
// window events out of context: they arrive on the watching thread from programs of any bitness,
// with no code injected into them. Where the system tells less (Wine sends the creation only), a
// poll every few milliseconds finds what changed. Nothing is loaded into other programs: the
// request to activate the shell window (code 3), which only a global shell hook inside every
// program could tell, is not delivered, as nothing of DPX handles it.
class ShellWatch {
 public:
  ShellWatch();
  ShellWatch(const ShellWatch&) = delete;
  ShellWatch& operator=(const ShellWatch&) = delete;
  ~ShellWatch();

 private:
  static void CALLBACK OnWindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                     LONG child, DWORD, DWORD);
  static void CALLBACK OnPollTimer(HWND, UINT, UINT_PTR, DWORD);

  class Queries final : public WindowQueries {
   public:
    bool IsCandidate(Window window) override;
    bool IsVisible(Window window) override;
    bool Exists(Window window) override;
    Window Foreground() override;
  };

  Queries queries_;
  NewWindowTracker tracker_;
  UniqueEventHook objectEvents_;
  UniqueEventHook foregroundEvents_;
  UniqueThreadTimer pollTimer_;
};

}  // namespace dozov
