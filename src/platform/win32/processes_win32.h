#pragma once

#include "platform/processes.h"

namespace dpx::win32 {

class Win32Processes final : public Processes {
 public:
  std::optional<VersionInfo> Version() override;
  std::optional<std::vector<SnapshotEntry>> Snapshot() override;
  std::optional<std::vector<ProcessId>> ProcessIds() override;
  std::optional<std::wstring> ImageFileName(ProcessId process) override;
  std::optional<std::wstring> DosDevice(const std::wstring& drive) override;
};

}  // namespace dpx::win32
