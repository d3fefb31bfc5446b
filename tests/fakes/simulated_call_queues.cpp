#include "fakes/simulated_call_queues.h"

namespace dpx::fakes {

QueuedCall SimulatedCallQueues::Queue(ThreadId thread, std::function<void()> call) {
  Line& line = lines_[thread];
  const QueuedCall queued{thread, ++line.queued};
  line.calls.push_back(std::move(call));
  if (!hung_(thread)) RunHeld(thread);
  return queued;
}

bool SimulatedCallQueues::Done(const QueuedCall& call) {
  const auto line = lines_.find(call.thread);
  return line == lines_.end() || line->second.done >= call.number;
}

void SimulatedCallQueues::RunHeld(ThreadId thread) {
  Line& line = lines_[thread];
  while (!line.calls.empty()) {
    const std::function<void()> call = std::move(line.calls.front());
    line.calls.pop_front();
    call();
    ++line.done;
  }
}

std::size_t SimulatedCallQueues::Held(ThreadId thread) const {
  const auto line = lines_.find(thread);
  return line == lines_.end() ? 0 : line->second.calls.size();
}

}  // namespace dpx::fakes
