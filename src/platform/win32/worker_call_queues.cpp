#include "platform/win32/worker_call_queues.h"

#include <windows.h>

#include <algorithm>
#include <system_error>
#include <thread>

namespace dpx::win32 {

WorkerCallQueues::WorkerCallQueues(std::size_t maxWorkers, std::chrono::milliseconds stuckAfter)
    : state_(std::make_shared<State>()) {
  state_->maxWorkers = maxWorkers;
  state_->stuckAfter = stuckAfter;
}

WorkerCallQueues::~WorkerCallQueues() {
  // The shows of a restore at the end of the program must still reach the programs that answer.
  WaitUntilDoneOrStalled(kFinalStallBound);
  std::unique_lock lock(state_->mutex);
  state_->stopping = true;
  state_->work.notify_all();
  // A call still running uses the window manager that owns these lines: it gets one more bound
  // to end. A worker blocked on a program that hangs for good beyond it ends with the process.
  state_->moved.wait_for(lock, kFinalStallBound, [this] {
    return std::none_of(state_->lines.begin(), state_->lines.end(),
                        [](const auto& entry) { return entry.second.running; });
  });
}

QueuedCall WorkerCallQueues::Queue(ThreadId thread, std::function<void()> call) {
  // Our own thread's windows (and dead ones, thread 0) would only wait for us.
  if (thread == 0 || thread == ::GetCurrentThreadId()) {
    call();
    return {thread, 0};
  }
  std::lock_guard lock(state_->mutex);
  Line& line = state_->lines[thread];
  if (line.calls.empty() && !line.running) line.lastMoved = Clock::now();
  line.calls.push_back(std::move(call));
  const QueuedCall queued{thread, ++line.queued};
  Dispatch(state_);
  return queued;
}

void WorkerCallQueues::Dispatch(const std::shared_ptr<State>& state) {
  if (!StartWorkers(state) || state->watching) return;
  try {
    std::thread(Watch, state).detach();
    state->watching = true;
  } catch (const std::system_error&) {
    // No thread to be had now: the next call or wait looks again.
  }
}

bool WorkerCallQueues::StartWorkers(const std::shared_ptr<State>& state) {
  const auto now = Clock::now();
  std::size_t waiting = 0;
  std::size_t stuck = 0;
  for (const auto& [thread, line] : state->lines) {
    if (!line.served && !line.calls.empty()) ++waiting;
    if (line.running && now - line.callStarted >= state->stuckAfter) ++stuck;
  }
  if (waiting == 0) return false;
  if (state->idle > 0) state->work.notify_all();
  // Each idle or starting worker takes one waiting line; the others get a worker of their own.
  std::size_t free = state->idle + state->starting;
  for (; free < waiting && state->workers - stuck < state->maxWorkers; ++free) {
    try {
      std::thread(Serve, state).detach();
    } catch (const std::system_error&) {
      return true;
    }
    ++state->workers;
    ++state->starting;
  }
  return free < waiting;
}

void WorkerCallQueues::Watch(std::shared_ptr<State> state) {
  std::unique_lock lock(state->mutex);
  do {
    state->moved.wait_for(lock, state->stuckAfter);
  } while (!state->stopping && StartWorkers(state));
  state->watching = false;
}

WorkerCallQueues::Line* WorkerCallQueues::TakeWaitingLine(State& state) {
  for (auto& [thread, line] : state.lines)
    if (!line.served && !line.calls.empty()) {
      line.served = true;
      return &line;
    }
  return nullptr;
}

void WorkerCallQueues::Serve(std::shared_ptr<State> state) {
  std::unique_lock lock(state->mutex);
  --state->starting;
  while (!state->stopping) {
    Line* line = TakeWaitingLine(*state);
    if (!line) {
      ++state->idle;
      state->work.wait(lock);
      --state->idle;
      continue;
    }
    while (!line->calls.empty() && !state->stopping) {
      std::function<void()> call = std::move(line->calls.front());
      line->calls.pop_front();
      line->running = true;
      line->callStarted = Clock::now();
      lock.unlock();
      call();
      lock.lock();
      line->running = false;
      ++line->done;
      line->lastMoved = Clock::now();
      state->moved.notify_all();
    }
    line->served = false;
  }
  --state->workers;
}

void WorkerCallQueues::WaitUntilDoneOrStalled(std::chrono::milliseconds stallBound) {
  std::unique_lock lock(state_->mutex);
  for (;;) {
    const auto now = Clock::now();
    auto wake = Clock::time_point::max();
    for (const auto& [thread, line] : state_->lines) {
      if (line.calls.empty() && !line.running) continue;
      const auto stallsAt = line.lastMoved + stallBound;
      if (now < stallsAt) wake = std::min(wake, stallsAt);
    }
    if (wake == Clock::time_point::max()) return;
    // Workers blocked on hung programs free room in the pool as time passes.
    Dispatch(state_);
    state_->moved.wait_until(lock, std::min(wake, now + state_->stuckAfter));
  }
}

bool WorkerCallQueues::Done(const QueuedCall& call) {
  std::lock_guard lock(state_->mutex);
  const auto line = state_->lines.find(call.thread);
  return line == state_->lines.end() || line->second.done >= call.number;
}

}  // namespace dpx::win32
