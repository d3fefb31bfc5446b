#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace dpx {

// Platform ids of the version record.
inline constexpr unsigned kPlatformWin32Windows = 1;
inline constexpr unsigned kPlatformWin32Nt = 2;

struct VersionInfo {
  unsigned major = 0;
  unsigned minor = 0;
  unsigned build = 0;
  unsigned platformId = 0;
};

struct SnapshotEntry {
  ProcessId process = 0;
  std::wstring exeFile;
};

// The processes of the session, as DPX needs them to name a window's program.
class Processes {
 public:
  virtual ~Processes() = default;

  // nullopt when the version cannot be read.
  virtual std::optional<VersionInfo> Version() = 0;
  // The process snapshot of the old platform family; nullopt when it cannot be taken.
  virtual std::optional<std::vector<SnapshotEntry>> Snapshot() = 0;
  // At most 1024 process ids; nullopt when the list cannot be read.
  virtual std::optional<std::vector<ProcessId>> ProcessIds() = 0;
  // The image path in device form (\Device\HarddiskVolume1\...); nullopt when the process
  // cannot be opened or the name not read.
  virtual std::optional<std::wstring> ImageFileName(ProcessId process) = 0;
  // The device name behind a drive ("C:"); nullopt when the drive does not exist.
  virtual std::optional<std::wstring> DosDevice(const std::wstring& drive) = 0;
};

}  // namespace dpx
