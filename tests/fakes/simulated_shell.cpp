#include "fakes/simulated_shell.h"

#include <algorithm>

#include "common/strings.h"

namespace dpx::fakes {
namespace {

bool Matches(const std::optional<std::wstring>& wanted, const std::wstring& actual) {
  return !wanted || EqualsIgnoringAsciiCase(*wanted, actual);
}

}  // namespace

WindowHandle SimulatedShell::FindWindowAfter(WindowHandle parent, WindowHandle after,
                                             const std::optional<std::wstring>& className,
                                             const std::optional<std::wstring>& title) {
  const std::vector<WindowHandle> candidates = desktop_.Children(parent);
  auto from = candidates.begin();
  if (after != kNoWindow) {
    from = std::find(candidates.begin(), candidates.end(), after);
    if (from == candidates.end()) return kNoWindow;
    ++from;
  }
  for (auto it = from; it != candidates.end(); ++it) {
    const SimWindow& window = desktop_.Window(*it);
    if (Matches(className, window.className) && Matches(title, window.title)) return *it;
  }
  return kNoWindow;
}

bool SimulatedShell::IsMinimized(WindowHandle window) {
  return desktop_.Exists(window) && desktop_.Window(window).minimized;
}

void SimulatedShell::SetForegroundLockTimeout(std::uint32_t milliseconds) {
  log_.push_back(L"SetForegroundLockTimeout " + std::to_wstring(milliseconds));
}

void SimulatedShell::SetForegroundWindow(WindowHandle window) {
  log_.push_back(L"SetForegroundWindow " + std::to_wstring(window));
  if (desktop_.Exists(window)) foreground = window;
}

bool SimulatedShell::Terminate(ProcessId process) {
  log_.push_back(L"Terminate " + std::to_wstring(process));
  if (process == 0 || unopenableProcesses.count(process)) return false;
  for (WindowHandle window : desktop_.Children(kNoWindow))
    if (desktop_.Owner(window).process == process) desktop_.Close(window);
  return true;
}

void SimulatedShell::Open(const std::wstring& path, const std::wstring& workingFolder,
                          WindowShown firstWindowShown) {
  log_.push_back(L"Open " + path + L"|" + workingFolder);
  startedWindowShown = std::move(firstWindowShown);
}

void SimulatedShell::HideTray(std::int32_t value, const char* accessCode) {
  const std::string code = accessCode ? accessCode : "(null)";
  log_.push_back(L"HideTray " + std::to_wstring(value) + L" " +
                 std::wstring(code.begin(), code.end()));
}

void SimulatedShell::RestoreTray() {
  log_.push_back(L"RestoreTray");
}

void SimulatedShell::RestoreMarkedTray() {
  log_.push_back(L"RestoreMarkedTray");
}

}  // namespace dpx::fakes
