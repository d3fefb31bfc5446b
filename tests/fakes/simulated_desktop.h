#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fakes/simulated_call_queues.h"
#include "hide/program_window.h"
#include "platform/processes.h"
#include "platform/window_manager.h"

namespace dpx::fakes {

struct SimWindow {
  std::wstring title;
  std::wstring className = L"SimClass";
  bool visible = true;
  std::uint32_t exStyle = 0;
  ThreadId thread = 1;
  ProcessId process = 100;
  bool minimized = false;
};

struct SimProcess {
  std::wstring devicePath;   // as the image name query answers, e.g. \Device\HarddiskVolume1\a.exe
  std::wstring snapshotExe;  // as the old platform's snapshot names it
  bool accessible = true;
};

// An in-memory desktop: windows in Z-order, processes, drives. Every call that changes a window
// is logged, so tests can check what was done and in which order.
class SimulatedDesktop final : public WindowManager, public Processes {
 public:
  SimulatedDesktop();

  // Adds a window below the others; returns its handle.
  WindowHandle AddWindow(const SimWindow& window);
  // Adds a child window inside `parent`, after its other children; not part of the Z-order walk.
  WindowHandle AddChildWindow(WindowHandle parent, const SimWindow& window);
  // The living children of `parent` in order; kNoWindow: the top-level windows in Z-order.
  std::vector<WindowHandle> Children(WindowHandle parent) const;
  bool Exists(WindowHandle window) const { return Alive(window); }
  void AddProcess(ProcessId id, const SimProcess& process);
  void AddDrive(wchar_t letter, const std::wstring& device);
  void SetPlatformId(unsigned id) { version_.platformId = id; }
  void SetVersion(unsigned major, unsigned minor, unsigned build) {
    version_.major = major;
    version_.minor = minor;
    version_.build = build;
  }
  void Close(WindowHandle window);
  void HangThread(ThreadId thread) { hungThreads_[thread] = true; }
  // The thread answers again and carries out the calls queued for it meanwhile.
  void AnswerAgain(ThreadId thread);
  SimulatedCallQueues& callQueues() { return callQueues_; }
  // What DPX's thread handles while a WM_NULL waits on another program: the messages other
  // processes send it meanwhile. Run once per wait, for as long as it is set.
  std::function<void()> whileWaiting;

  SimWindow& Window(WindowHandle window) { return windows_.at(window); }
  std::uint32_t StyleBits(WindowHandle window) const;
  // Calls that change windows, e.g. L"Show 3 0" (handle, command), L"SetExStyle 3 0x80".
  const std::vector<std::wstring>& log() const { return log_; }
  void ClearLog() { log_.clear(); }
  int nullSends() const { return nullSends_; }
  int imageNameQueries() const { return imageNameQueries_; }

  // WindowManager
  WindowHandle TopWindow() override;
  WindowHandle NextWindow(WindowHandle window) override;
  std::wstring WindowText(WindowHandle window, std::size_t bufferChars) override;
  std::wstring ClassName(WindowHandle window, std::size_t bufferChars) override;
  std::optional<WindowStyles> Styles(WindowHandle window) override;
  WindowOwner Owner(WindowHandle window) override;
  bool IsVisible(WindowHandle window) override;
  std::uint32_t ExStyle(WindowHandle window) override;
  void SetExStyle(WindowHandle window, std::uint32_t exStyle) override;
  void Show(WindowHandle window, ShowCommand command) override;
  void ShowAsync(WindowHandle window, ShowCommand command) override;
  void Post(WindowHandle window, std::uint32_t message) override;
  bool SendNull(WindowHandle window, std::chrono::milliseconds bound) override;
  WindowHandle FindByClass(const std::wstring& className) override;
  WindowCallQueues& CallQueues() override { return callQueues_; }

  // Processes
  std::optional<VersionInfo> Version() override { return version_; }
  std::optional<std::vector<SnapshotEntry>> Snapshot() override;
  std::optional<std::vector<ProcessId>> ProcessIds() override;
  std::optional<std::wstring> ImageFileName(ProcessId process) override;
  std::optional<std::wstring> DosDevice(const std::wstring& drive) override;

 private:
  bool Alive(WindowHandle window) const { return windows_.count(window) != 0; }
  bool Hung(WindowHandle window) const;
  void Log(const std::wstring& call, WindowHandle window, std::uint32_t value, bool hex = false);
  void Apply(WindowHandle window, ShowCommand command);

  std::vector<WindowHandle> zOrder_;
  std::map<WindowHandle, std::vector<WindowHandle>> children_;
  std::map<WindowHandle, SimWindow> windows_;
  std::map<ProcessId, SimProcess> processes_;
  std::map<std::wstring, std::wstring> drives_;
  std::map<ThreadId, bool> hungThreads_;
  std::vector<std::wstring> log_;
  VersionInfo version_{6, 1, 7601, kPlatformWin32Nt};
  WindowHandle nextHandle_ = 0x100;
  int nullSends_ = 0;
  int imageNameQueries_ = 0;
  SimulatedCallQueues callQueues_{[this](ThreadId thread) {
    const auto hung = hungThreads_.find(thread);
    return hung != hungThreads_.end() && hung->second;
  }};
};

// DPX's own window on the simulated desktop.
class FakeProgramWindow final : public ProgramWindow {
 public:
  explicit FakeProgramWindow(SimulatedDesktop& desktop) : desktop_(desktop) {}

  WindowHandle mainWindow = kNoWindow;
  WindowHandle applicationWindow = kNoWindow;
  std::vector<bool> toggles;  // askPassword of each ToggleProgramWindow

  bool IsMainWindow(WindowHandle window) const override {
    return window != kNoWindow && window == mainWindow;
  }
  bool IsApplicationWindow(WindowHandle window) const override {
    return window != kNoWindow && window == applicationWindow;
  }
  bool IsMainWindowVisible() const override { return desktop_.IsVisible(mainWindow); }
  void ToggleProgramWindow(bool askPassword) override;

 private:
  SimulatedDesktop& desktop_;
};

}  // namespace dpx::fakes
