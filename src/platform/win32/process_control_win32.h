#pragma once

#include "platform/process_control.h"

namespace dpx::win32 {

class Win32ProcessControl final : public ProcessControl {
 public:
  ProcessId OwnProcess() override;
  bool Terminate(ProcessId process) override;
  void Open(const std::wstring& path, const std::wstring& workingFolder) override;
};

}  // namespace dpx::win32
