#include "hide/exe_path.h"

#include <algorithm>

#include "common/strings.h"

namespace dpx {
namespace {

std::wstring PathFromSnapshot(Processes& processes, ProcessId process) {
  const auto entries = processes.Snapshot();
  if (!entries) return {};
  const auto match = std::find_if(entries->begin(), entries->end(),
                                  [&](const SnapshotEntry& e) { return e.process == process; });
  return match == entries->end() ? std::wstring() : match->exeFile;
}

std::wstring PathFromProcessList(Processes& processes, ProcessId process) {
  const auto ids = processes.ProcessIds();
  if (!ids || std::find(ids->begin(), ids->end(), process) == ids->end()) return {};
  const auto image = processes.ImageFileName(process);
  return image ? ConvertDevicePath(processes, *image) : std::wstring();
}

}  // namespace

std::wstring GetWindowExePath(WindowManager& windows, Processes& processes, WindowHandle window) {
  const auto version = processes.Version();
  const ProcessId process = windows.Owner(window).process;
  if (!version) return {};
  switch (version->platformId) {
    case kPlatformWin32Windows:
      return PathFromSnapshot(processes, process);
    case kPlatformWin32Nt:
      return PathFromProcessList(processes, process);
    default:
      return {};
  }
}

std::wstring ConvertDevicePath(Processes& processes, const std::wstring& devicePath) {
  // "\Device\HarddiskVolume1\rest": the device part ends at the third backslash.
  if (devicePath.size() < 2) return devicePath;
  const std::size_t second = devicePath.find(L'\\', 1);
  if (second == std::wstring::npos) return devicePath;
  const std::size_t third = devicePath.find(L'\\', second + 1);
  if (third == std::wstring::npos) return devicePath;
  const std::wstring device = devicePath.substr(0, third);
  const std::wstring remainder = devicePath.substr(third);

  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    const std::wstring drive{letter, L':'};
    const auto name = processes.DosDevice(drive);
    if (name && EqualsIgnoringAsciiCase(*name, device)) return drive + remainder;
  }
  return devicePath;
}

}  // namespace dpx
