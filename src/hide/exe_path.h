#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/processes.h"
#include "platform/window_manager.h"

namespace dpx {

// The device names behind the drive letters, each asked for once, when first needed.
class DriveDevices {
 public:
  explicit DriveDevices(Processes& processes) : processes_(processes) {}

  // The device behind "A:" to "Z:"; nullopt when the drive does not exist.
  const std::optional<std::wstring>& Of(wchar_t letter);

 private:
  Processes& processes_;
  std::array<std::optional<std::optional<std::wstring>>, 26> devices_{};
};

// Names the programs of windows during one capture. A capture walks many windows of few programs,
// so the process list, each program's path and the drive names are read once and then reused;
// a new lookup for the next capture reads them afresh (a process id may name another program by
// then).
class ExePathLookup {
 public:
  ExePathLookup(WindowManager& windows, Processes& processes)
      : windows_(windows), processes_(processes), drives_(processes) {}

  // Full path of the executable of the window's process, drive-letter form; empty when unknown.
  std::wstring GetWindowExePath(WindowHandle window);

 private:
  std::wstring PathOf(ProcessId process);
  std::wstring PathFromSnapshot(ProcessId process);
  std::wstring PathFromProcessList(ProcessId process);

  WindowManager& windows_;
  Processes& processes_;
  DriveDevices drives_;
  std::optional<std::optional<VersionInfo>> version_;
  std::optional<std::optional<std::vector<SnapshotEntry>>> snapshot_;
  std::optional<std::optional<std::vector<ProcessId>>> processIds_;
  std::map<ProcessId, std::wstring> paths_;
};

// "\Device\HarddiskVolume1\dir\app.exe" -> "C:\dir\app.exe" when C: is that device;
// unchanged when no drive letter maps to it (a network path, for example).
std::wstring ConvertDevicePath(DriveDevices& drives, const std::wstring& devicePath);
std::wstring ConvertDevicePath(Processes& processes, const std::wstring& devicePath);

}  // namespace dpx
