#pragma once

#include <set>
#include <string>
#include <vector>

#include "fakes/simulated_desktop.h"
#include "platform/foreground.h"
#include "platform/process_control.h"
#include "platform/tray_library.h"
#include "platform/window_search.h"

namespace dpx::fakes {

// The shell side of the simulated desktop: window searches by class and title, the foreground
// window, ending and starting programs, and the tray library. Calls that act are logged in order,
// e.g. L"SetForegroundLockTimeout 0", L"SetForegroundWindow 257", L"Terminate 100",
// L"Open C:\\a\\b.exe|C:\\a", L"HideTray 1 802513", L"RestoreTray", L"RestoreMarkedTray".
class SimulatedShell final : public WindowSearch,
                             public Foreground,
                             public ProcessControl,
                             public TrayLibrary {
 public:
  explicit SimulatedShell(SimulatedDesktop& desktop) : desktop_(desktop) {}

  WindowHandle foreground = kNoWindow;
  ProcessId ownProcess = 4242;
  std::set<ProcessId> unopenableProcesses;  // running with higher rights
  WindowHandle shellWindow = kNoWindow;     // the shell's desktop window, when a shell runs

  const std::vector<std::wstring>& log() const { return log_; }
  void ClearLog() { log_.clear(); }

  // WindowSearch
  WindowHandle FindWindowAfter(WindowHandle parent, WindowHandle after,
                               const std::optional<std::wstring>& className,
                               const std::optional<std::wstring>& title) override;
  WindowHandle ShellWindow() override { return shellWindow; }
  // Foreground
  WindowHandle ForegroundWindow() override { return foreground; }
  bool IsWindow(WindowHandle window) override { return desktop_.Exists(window); }
  bool IsMinimized(WindowHandle window) override;
  void SetForegroundLockTimeout(std::uint32_t milliseconds) override;
  void SetForegroundWindow(WindowHandle window) override;
  // ProcessControl: a terminated process loses its top-level windows.
  ProcessId OwnProcess() override { return ownProcess; }
  bool Terminate(ProcessId process) override;
  void Open(const std::wstring& path, const std::wstring& workingFolder,
            WindowShown firstWindowShown) override;
  // What the last Open runs when its program's window shows.
  WindowShown startedWindowShown;
  // TrayLibrary
  void HideTray(std::int32_t value, const char* accessCode) override;
  void RestoreTray() override;
  void RestoreMarkedTray() override;

 private:
  SimulatedDesktop& desktop_;
  std::vector<std::wstring> log_;
};

}  // namespace dpx::fakes
