#pragma once

#include <chrono>
#include <map>

#include "platform/window_manager.h"

namespace dpx {

// How long one window's thread may take to answer before DPX stops waiting for it.
inline constexpr std::chrono::milliseconds kHungThreadBound{200};

// Remembers, for one hide or restore pass, which window threads answer. A hung thread blocks
// ShowWindow and SetWindowLong on its windows for good, so each thread is asked once, with a
// bound, and a thread that did not answer is not waited for again in the same pass.
class ThreadProbe {
 public:
  explicit ThreadProbe(WindowManager& windows, std::chrono::milliseconds bound = kHungThreadBound)
      : windows_(windows), bound_(bound) {}

  bool Answers(WindowHandle window);
  void MarkHung(WindowHandle window);
  std::chrono::milliseconds bound() const { return bound_; }

 private:
  WindowManager& windows_;
  std::chrono::milliseconds bound_;
  std::map<ThreadId, bool> answers_;
};

// Hides one window: strips its extended style to the tool-window bit (so it leaves the taskbar),
// asks it to paint, hides it and waits, within the bound, until its thread has handled that.
void HideOneWindow(WindowManager& windows, ThreadProbe& probe, WindowHandle window);

// Shows one window again, in its current state and place, without activating it, and gives it
// back its extended style; then asks its thread again, within the bound.
void ShowOneWindow(WindowManager& windows, ThreadProbe& probe, WindowHandle window,
                   std::uint32_t exStyle);

// The same calls, queued to the line of the window's thread instead of made here (see
// WindowCallQueues): they run in the order queued, once that thread answers.
QueuedCall QueueHideOneWindow(WindowManager& windows, WindowHandle window);
QueuedCall QueueShowOneWindow(WindowManager& windows, WindowHandle window, std::uint32_t exStyle);
QueuedCall QueueShowCommand(WindowManager& windows, WindowHandle window, ShowCommand command);

}  // namespace dpx
