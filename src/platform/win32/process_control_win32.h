#pragma once

#include <vector>

#include "platform/process_control.h"
#include "platform/win32/unique_handle.h"

namespace dpx::win32 {

class Win32ProcessControl final : public ProcessControl {
 public:
  Win32ProcessControl() = default;
  Win32ProcessControl(const Win32ProcessControl&) = delete;
  Win32ProcessControl& operator=(const Win32ProcessControl&) = delete;
  // Gives a start still under way a moment to finish, but never waits on a hung one.
  ~Win32ProcessControl() override;

  ProcessId OwnProcess() override;
  bool Terminate(ProcessId process) override;
  // Starts the program on a thread of its own and returns at once: the shell may load extensions
  // and wait on other programs, and the hide that asks for the start must not wait with it.
  void Open(const std::wstring& path, const std::wstring& workingFolder) override;

 private:
  std::vector<UniqueHandle> starts_;  // the threads of starts that may still be running
};

}  // namespace dpx::win32
