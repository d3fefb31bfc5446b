#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "platform/types.h"

namespace dpx {

// One call handed to a window thread's line: the thread, and the call's place in that line.
struct QueuedCall {
  ThreadId thread = 0;
  std::uint64_t number = 0;
};

// Runs the calls that can wait on another program's thread (a style change, a show, a WM_NULL)
// away from DPX's own thread. Each target thread has one line, served in the order its calls
// were queued, whatever pass queued them: a restore's show of a window can never overtake the
// hide of it that an earlier pass queued behind a hung program.
class WindowCallQueues {
 public:
  virtual ~WindowCallQueues() = default;

  // Puts `call` at the end of `thread`'s line and returns at once (a call for the caller's own
  // thread runs at once instead: nobody else could run it while the caller waits).
  virtual QueuedCall Queue(ThreadId thread, std::function<void()> call) = 0;
  // Waits, without dispatching any message, until every line is empty or has not moved on for
  // `stallBound`. Lines stall side by side, so however many programs hang the wait costs one
  // bound; their calls stay queued and run once they answer again.
  virtual void WaitUntilDoneOrStalled(std::chrono::milliseconds stallBound) = 0;
  // Whether the call has run.
  virtual bool Done(const QueuedCall& call) = 0;
};

}  // namespace dpx
