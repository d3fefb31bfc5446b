#pragma once

#include <deque>
#include <functional>
#include <map>

#include "platform/window_call_queues.h"

namespace dpx::fakes {

// The window threads' lines without worker threads: a call runs at once unless its thread is
// hung (or still holds earlier calls), in which case it waits in the line until `RunHeld`.
class SimulatedCallQueues final : public WindowCallQueues {
 public:
  explicit SimulatedCallQueues(std::function<bool(ThreadId)> hung) : hung_(std::move(hung)) {}

  QueuedCall Queue(ThreadId thread, std::function<void()> call) override;
  void WaitUntilDoneOrStalled(std::chrono::milliseconds) override { ++waits_; }
  bool Done(const QueuedCall& call) override;

  // Runs the calls `thread` holds, in order: it answers again.
  void RunHeld(ThreadId thread);
  std::size_t Held(ThreadId thread) const;
  int waits() const { return waits_; }

 private:
  struct Line {
    std::deque<std::function<void()>> calls;
    std::uint64_t queued = 0;
    std::uint64_t done = 0;
  };

  std::function<bool(ThreadId)> hung_;
  std::map<ThreadId, Line> lines_;
  int waits_ = 0;
};

}  // namespace dpx::fakes
