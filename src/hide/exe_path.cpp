#include "hide/exe_path.h"

#include <algorithm>

#include "common/strings.h"

namespace dpx {
namespace {

// Reads a value on first use; an absent value (nullopt) is remembered too.
template <typename T, typename Read>
const std::optional<T>& Once(std::optional<std::optional<T>>& cache, Read read) {
  if (!cache) cache.emplace(read());
  return *cache;
}

}  // namespace

const std::optional<std::wstring>& DriveDevices::Of(wchar_t letter) {
  const std::wstring drive{letter, L':'};
  return Once(devices_[static_cast<std::size_t>(letter - L'A')],
              [&] { return processes_.DosDevice(drive); });
}

std::wstring ExePathLookup::GetWindowExePath(WindowHandle window) {
  const ProcessId process = windows_.Owner(window).process;
  const auto known = paths_.find(process);
  if (known != paths_.end()) return known->second;
  return paths_.emplace(process, PathOf(process)).first->second;
}

std::wstring ExePathLookup::PathOf(ProcessId process) {
  const auto& version = Once(version_, [&] { return processes_.Version(); });
  if (!version) return {};
  switch (version->platformId) {
    case kPlatformWin32Windows:
      return PathFromSnapshot(process);
    case kPlatformWin32Nt:
      return PathFromProcessList(process);
    default:
      return {};
  }
}

std::wstring ExePathLookup::PathFromSnapshot(ProcessId process) {
  const auto& entries = Once(snapshot_, [&] { return processes_.Snapshot(); });
  if (!entries) return {};
  const auto match = std::find_if(entries->begin(), entries->end(),
                                  [&](const SnapshotEntry& e) { return e.process == process; });
  return match == entries->end() ? std::wstring() : match->exeFile;
}

std::wstring ExePathLookup::PathFromProcessList(ProcessId process) {
  const auto& ids = Once(processIds_, [&] { return processes_.ProcessIds(); });
  if (!ids || std::find(ids->begin(), ids->end(), process) == ids->end()) return {};
  const auto image = processes_.ImageFileName(process);
  return image ? ConvertDevicePath(drives_, *image) : std::wstring();
}

std::wstring ConvertDevicePath(DriveDevices& drives, const std::wstring& devicePath) {
  // "\Device\HarddiskVolume1\rest": the device part ends at the third backslash.
  if (devicePath.size() < 2) return devicePath;
  const std::size_t second = devicePath.find(L'\\', 1);
  if (second == std::wstring::npos) return devicePath;
  const std::size_t third = devicePath.find(L'\\', second + 1);
  if (third == std::wstring::npos) return devicePath;
  const std::wstring device = devicePath.substr(0, third);
  const std::wstring remainder = devicePath.substr(third);

  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    const auto& name = drives.Of(letter);
    if (name && EqualsIgnoringAsciiCase(*name, device))
      return std::wstring{letter, L':'} + remainder;
  }
  return devicePath;
}

std::wstring ConvertDevicePath(Processes& processes, const std::wstring& devicePath) {
  DriveDevices drives(processes);
  return ConvertDevicePath(drives, devicePath);
}

}  // namespace dpx
