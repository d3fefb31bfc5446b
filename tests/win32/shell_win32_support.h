#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "platform/processes.h"
#include "platform/types.h"

// What the shell, tray and active-window tests share: the helper programs, a third-process view
// of windows and a fixed Windows version.
namespace dpx::testing {

struct SeenWindow {
  bool exists = false;
  bool visible = false;
  std::uint32_t exStyle = 0;
};

// How a third process sees these windows (dpx_window_probe.exe).
std::map<WindowHandle, SeenWindow> SeenFromOutside(const std::vector<WindowHandle>& windows);
SeenWindow SeenFromOutside(WindowHandle window);

// Waits until a third process sees the window in that visibility; false on time-out.
bool BecomesVisible(WindowHandle window, bool visible, std::chrono::milliseconds timeout);

// dpx_test_windows.exe in the test folder.
std::wstring TestWindowsExe();
// The helper's printed windows by title (or label), once it has printed `count` lines.
std::map<std::string, WindowHandle> ReadWindows(ChildProcess& helper, std::size_t count);

// Ends the process that owns the window, if it still runs; for programs started through the
// shell, which no ChildProcess owns.
void EndProcessOf(WindowHandle window);

// Processes whose only answer is a fixed Windows version.
class FixedVersion final : public Processes {
 public:
  FixedVersion(unsigned major, unsigned minor, unsigned build)
      : version_{major, minor, build, kPlatformWin32Nt} {}
  std::optional<VersionInfo> Version() override { return version_; }
  std::optional<std::vector<SnapshotEntry>> Snapshot() override { return std::nullopt; }
  std::optional<std::vector<ProcessId>> ProcessIds() override { return std::nullopt; }
  std::optional<std::wstring> ImageFileName(ProcessId) override { return std::nullopt; }
  std::optional<std::wstring> DosDevice(const std::wstring&) override { return std::nullopt; }

 private:
  VersionInfo version_;
};

}  // namespace dpx::testing
