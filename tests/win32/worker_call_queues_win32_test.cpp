// The workers that serve the window threads' lines, with calls that block as a hung program's do.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <future>
#include <mutex>
#include <vector>

#include "platform/win32/worker_call_queues.h"

namespace dpx {
namespace {

using namespace std::chrono_literals;
using win32::WorkerCallQueues;

// Thread ids that name no thread of this process: the calls go to workers.
constexpr ThreadId kLineA = 0x7001;
constexpr ThreadId kLineB = 0x7002;

bool DoneWithin(WorkerCallQueues& queues, const QueuedCall& call, std::chrono::milliseconds bound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  while (!queues.Done(call))
    if (std::chrono::steady_clock::now() > deadline) return false;
  return true;
}

TEST(WorkerCallQueuesTest, OneLineKeepsItsOrderWhileAnotherMovesOnBesideIt) {
  WorkerCallQueues queues;
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::mutex mutex;
  std::vector<int> ran;
  queues.Queue(kLineA, [released] { released.wait(); });
  QueuedCall lastOfA{};
  for (int i = 0; i < 50; ++i)
    lastOfA = queues.Queue(kLineA, [&, i] {
      std::lock_guard lock(mutex);
      ran.push_back(i);
    });
  const QueuedCall b = queues.Queue(kLineB, [] {});

  EXPECT_TRUE(DoneWithin(queues, b, 5s)) << "line B waited for the blocked line A";
  EXPECT_FALSE(queues.Done(lastOfA));
  release.set_value();
  ASSERT_TRUE(DoneWithin(queues, lastOfA, 5s));
  std::vector<int> expected(50);
  for (int i = 0; i < 50; ++i) expected[static_cast<std::size_t>(i)] = i;
  std::lock_guard lock(mutex);
  EXPECT_EQ(ran, expected);
}

TEST(WorkerCallQueuesTest, WorkersBlockedOnHungProgramsLeaveRoomInThePool) {
  WorkerCallQueues queues(/*maxWorkers=*/2, /*stuckAfter=*/50ms);
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  for (ThreadId hung : {0x7101u, 0x7102u, 0x7103u})
    queues.Queue(hung, [released] { released.wait(); });
  std::atomic<bool> ran = false;
  const QueuedCall answering = queues.Queue(kLineB, [&] { ran = true; });

  // With the two workers counted, the answering line would wait until the hung ones answer.
  EXPECT_TRUE(DoneWithin(queues, answering, 5s));
  EXPECT_TRUE(ran);
  release.set_value();
}

TEST(WorkerCallQueuesTest, WaitEndsOneBoundAfterTheLastMoveHoweverManyLinesHang) {
  WorkerCallQueues queues;
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  for (ThreadId hung = 0x7201; hung < 0x7201 + 10; ++hung)
    queues.Queue(hung, [released] { released.wait(); });
  const QueuedCall quick = queues.Queue(kLineA, [] {});

  const auto start = std::chrono::steady_clock::now();
  queues.WaitUntilDoneOrStalled(100ms);
  const auto waited = std::chrono::steady_clock::now() - start;

  EXPECT_TRUE(queues.Done(quick));
  // Ten lines that stall side by side cost one bound, not ten.
  EXPECT_LT(waited, 500ms);
  // A line already stalled costs the next wait nothing.
  const auto again = std::chrono::steady_clock::now();
  queues.WaitUntilDoneOrStalled(100ms);
  EXPECT_LT(std::chrono::steady_clock::now() - again, 50ms);
  release.set_value();
}

TEST(WorkerCallQueuesTest, CallForTheCallersOwnThreadRunsAtOnce) {
  WorkerCallQueues queues;
  bool ran = false;
  const QueuedCall call = queues.Queue(::GetCurrentThreadId(), [&] { ran = true; });
  EXPECT_TRUE(ran);  // a worker's call would wait for this thread, which waits for the worker
  EXPECT_TRUE(queues.Done(call));
}

}  // namespace
}  // namespace dpx
