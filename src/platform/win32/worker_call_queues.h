#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include "platform/window_call_queues.h"

namespace dpx::win32 {

// Worker threads that serve the window threads' lines: one worker takes one line at a time and
// runs its calls in order, so different programs are called side by side. The pool is bounded,
// except that a worker blocked on one call longer than `stuckAfter` (a hung program) no longer
// counts, so hung programs never keep the others waiting for a worker.
class WorkerCallQueues final : public WindowCallQueues {
 public:
  static constexpr std::size_t kMaxWorkers = 16;
  static constexpr std::chrono::milliseconds kStuckAfter{100};
  // How long the end waits for the lines still moving, then for a call still running: a show
  // still queued then is lost with the process (its window keeps DPX's mark, which the next
  // start restores).
  static constexpr std::chrono::milliseconds kFinalStallBound{1000};

  explicit WorkerCallQueues(std::size_t maxWorkers = kMaxWorkers,
                            std::chrono::milliseconds stuckAfter = kStuckAfter);
  ~WorkerCallQueues() override;
  WorkerCallQueues(const WorkerCallQueues&) = delete;
  WorkerCallQueues& operator=(const WorkerCallQueues&) = delete;

  QueuedCall Queue(ThreadId thread, std::function<void()> call) override;
  void WaitUntilDoneOrStalled(std::chrono::milliseconds stallBound) override;
  bool Done(const QueuedCall& call) override;

 private:
  using Clock = std::chrono::steady_clock;

  struct Line {
    std::deque<std::function<void()>> calls;
    std::uint64_t queued = 0;
    std::uint64_t done = 0;
    bool served = false;   // a worker has taken it
    bool running = false;  // that worker is inside one of its calls
    Clock::time_point callStarted{};
    Clock::time_point lastMoved{};  // its last call ended, or it got work while idle
  };

  // Shared with the workers, which may outlive this object while blocked on a hung program.
  struct State {
    std::mutex mutex;
    std::condition_variable work;
    std::condition_variable moved;
    std::map<ThreadId, Line> lines;
    std::size_t workers = 0;
    std::size_t idle = 0;      // waiting for work
    std::size_t starting = 0;  // started, not yet looking for work
    bool stopping = false;
    bool watching = false;  // a watcher looks again for room once workers may be stuck
    std::size_t maxWorkers = 0;
    std::chrono::milliseconds stuckAfter{};
  };

  static void Serve(std::shared_ptr<State> state);
  static Line* TakeWaitingLine(State& state);
  // Wakes the idle workers for the lines that wait for one, and starts workers for the lines
  // that idle and starting workers cannot take, as far as the pool has room.
  // Lines left waiting because every worker is busy get room only once some of those workers
  // count as stuck; then nothing else may come to look (no call queued, no pass waiting), so a
  // watcher looks again each `stuckAfter` until no line waits without a worker.
  static void Dispatch(const std::shared_ptr<State>& state);
  static bool StartWorkers(const std::shared_ptr<State>& state);
  static void Watch(std::shared_ptr<State> state);

  std::shared_ptr<State> state_;
};

}  // namespace dpx::win32
