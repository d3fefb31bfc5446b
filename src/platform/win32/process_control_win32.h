#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <vector>

#include "platform/process_control.h"
#include "platform/win32/unique_handle.h"

namespace dpx::win32 {

class Win32ProcessControl final : public ProcessControl {
 public:
  // Made on the thread that calls Open: its window brings the started programs' first windows
  // back to that thread.
  Win32ProcessControl();
  Win32ProcessControl(const Win32ProcessControl&) = delete;
  Win32ProcessControl& operator=(const Win32ProcessControl&) = delete;
  // Gives a start still under way a moment to finish, but never waits on a hung one.
  ~Win32ProcessControl() override;

  ProcessId OwnProcess() override;
  bool Terminate(ProcessId process) override;
  // Starts the program on a thread of its own and returns at once: the shell may load extensions
  // and wait on other programs, and the hide that asks for the start must not wait with it. The
  // same thread then waits, with a bound, for the new process's first visible window.
  void Open(const std::wstring& path, const std::wstring& workingFolder,
            WindowShown firstWindowShown) override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnFirstWindow(std::uint64_t start, HWND shown);

  UniqueHandle stopping_;                         // set at the end: the waits for windows give up
  std::vector<UniqueHandle> starts_;              // the threads of starts that may still be running
  std::map<std::uint64_t, WindowShown> waiting_;  // by start number, until its thread reports
  std::uint64_t nextStart_ = 0;
  UniqueWindow window_;  // message-only
};

}  // namespace dpx::win32
