#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "child_process.h"

namespace dpx::bench {

// How the farm's hung programs hang: from before the pass (their threads sleep once their
// windows are up) or half-way (each answers DPX's first calls, then sleeps inside the hide of
// its first window).
enum class Hang { kNone, kBeforePass, kHalfWay };

struct FarmShape {
  int windows = 100;
  int programs = 10;
  int pumpEveryMs = 0;  // 0: the programs answer at once; else a render loop of that period
  Hang hang = Hang::kNone;
  int hungPrograms = 0;  // the first ones of `programs`
};

// Top-level windows of other programs for the benchmark to hide: dpx_test_windows.exe started
// `shape.programs` times, the windows spread evenly over them, titled "Bench P.I".
class WindowFarm {
 public:
  // A program hung before the pass answers again after a minute, one hung half-way after
  // 30 s: a measurement has to end before `HungFor` reaches that.
  WindowFarm(const std::wstring& helperExe, const FarmShape& shape);

  const std::vector<HWND>& Windows() const { return windows_; }
  std::chrono::seconds HungFor() const;
  // Waits until the programs have stopped using the processor: a hide or show leaves them
  // repainting what it uncovered for a while, which the next measurement must not pay for.
  // The hung ones do not count.
  void WaitUntilQuiet();

 private:
  void WaitUntilHung();
  std::uint64_t ProcessorTime() const;
  // The most processor time the answering programs used in one of `intervals` quiet intervals.
  std::uint64_t BusiestInterval(int intervals) const;

  std::vector<testing::ChildProcess> programs_;
  std::vector<win32::UniqueHandle> answering_;
  std::vector<HWND> windows_;
  std::vector<HWND> hungWindows_;  // the first window of each program hung before the pass
  std::chrono::steady_clock::time_point hungSince_{};
  std::uint64_t atRest_ = 0;  // processor time (100 ns units) of a quiet interval
};

// dpx_test_windows.exe of this build.
std::wstring TestWindowsExe();

}  // namespace dpx::bench
