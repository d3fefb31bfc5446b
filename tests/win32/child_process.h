#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace dpx::testing {

// A helper program started by a test, with its standard output on a pipe. Ended when dropped.
class ChildProcess {
 public:
  ChildProcess(const std::wstring& exePath, const std::wstring& arguments);
  ChildProcess(ChildProcess&&) = default;
  ~ChildProcess();

  // The next `count` lines of its output; fewer when it does not write them in time.
  std::vector<std::string> ReadLines(std::size_t count, std::chrono::milliseconds timeout);
  // Waits for it to end and returns the rest of its output.
  std::string ReadToEnd(std::chrono::milliseconds timeout);

 private:
  bool ReadAvailable();

  win32::UniqueHandle process_;
  win32::UniqueHandle output_;
  std::string buffered_;
};

// The folder of the running test program, where the helper programs are built beside it.
std::wstring ThisProgramFolder();

// Copies a file (a helper exe under another name, for a second program identity).
std::wstring CopyBeside(const std::wstring& source, const std::wstring& newName);

}  // namespace dpx::testing
