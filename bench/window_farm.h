#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "child_process.h"

namespace dpx::bench {

// Top-level windows of other programs for the benchmark to hide: dpx_test_windows.exe started
// `processes` times, the windows spread evenly over them, titled "Bench P.I".
class WindowFarm {
 public:
  // With `oneHung`, the first program's thread stops answering once its windows are up; it
  // answers again a minute later, so a measurement has to end before `HungFor` reaches that.
  WindowFarm(const std::wstring& helperExe, int windows, int processes, bool oneHung);

  const std::vector<HWND>& Windows() const { return windows_; }
  std::chrono::seconds HungFor() const;
  // Waits until the programs have stopped using the processor: a hide or show leaves them
  // repainting what it uncovered for a while, which the next measurement must not pay for.
  void WaitUntilQuiet();

 private:
  void WaitUntilHung();
  std::uint64_t ProcessorTime() const;

  std::vector<testing::ChildProcess> programs_;
  std::vector<win32::UniqueHandle> processes_;
  std::vector<HWND> windows_;
  std::vector<HWND> hungWindows_;
  std::chrono::steady_clock::time_point hungSince_{};
};

// dpx_test_windows.exe of this build.
std::wstring TestWindowsExe();

}  // namespace dpx::bench
