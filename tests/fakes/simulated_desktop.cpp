#include "fakes/simulated_desktop.h"

#include <algorithm>
#include <sstream>

#include "common/strings.h"

namespace dpx::fakes {

SimulatedDesktop::SimulatedDesktop() = default;

WindowHandle SimulatedDesktop::AddWindow(const SimWindow& window) {
  const WindowHandle handle = nextHandle_++;
  windows_[handle] = window;
  zOrder_.push_back(handle);
  return handle;
}

WindowHandle SimulatedDesktop::AddChildWindow(WindowHandle parent, const SimWindow& window) {
  const WindowHandle handle = nextHandle_++;
  windows_[handle] = window;
  children_[parent].push_back(handle);
  return handle;
}

std::vector<WindowHandle> SimulatedDesktop::Children(WindowHandle parent) const {
  if (parent == kNoWindow) return zOrder_;
  std::vector<WindowHandle> living;
  if (!Alive(parent)) return living;
  const auto found = children_.find(parent);
  if (found == children_.end()) return living;
  for (WindowHandle child : found->second)
    if (Alive(child)) living.push_back(child);
  return living;
}

void SimulatedDesktop::AddProcess(ProcessId id, const SimProcess& process) {
  processes_[id] = process;
}

void SimulatedDesktop::AddDrive(wchar_t letter, const std::wstring& device) {
  drives_[std::wstring{letter, L':'}] = device;
}

void SimulatedDesktop::Close(WindowHandle window) {
  windows_.erase(window);
  zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), window), zOrder_.end());
}

void SimulatedDesktop::AnswerAgain(ThreadId thread) {
  hungThreads_[thread] = false;
  callQueues_.RunHeld(thread);
}

bool SimulatedDesktop::Hung(WindowHandle window) const {
  const auto found = windows_.find(window);
  if (found == windows_.end()) return false;
  const auto hung = hungThreads_.find(found->second.thread);
  return hung != hungThreads_.end() && hung->second;
}

std::uint32_t SimulatedDesktop::StyleBits(WindowHandle window) const {
  return windows_.at(window).visible ? kStyleVisible : 0;
}

void SimulatedDesktop::Log(const std::wstring& call, WindowHandle window, std::uint32_t value,
                           bool hex) {
  std::wostringstream line;
  line << call << L' ' << window << L' ';
  if (hex) line << L"0x" << std::hex;
  line << value;
  // A real hung thread would block this call for good.
  if (Hung(window) && call != L"ShowAsync" && call != L"Post") line << L" BLOCKED";
  log_.push_back(line.str());
}

WindowHandle SimulatedDesktop::TopWindow() {
  return zOrder_.empty() ? kNoWindow : zOrder_[0];
}

WindowHandle SimulatedDesktop::NextWindow(WindowHandle window) {
  const auto it = std::find(zOrder_.begin(), zOrder_.end(), window);
  if (it == zOrder_.end() || it + 1 == zOrder_.end()) return kNoWindow;
  return *(it + 1);
}

std::wstring SimulatedDesktop::WindowText(WindowHandle window, std::size_t bufferChars) {
  if (!Alive(window) || bufferChars == 0) return {};
  return windows_[window].title.substr(0, bufferChars - 1);
}

std::wstring SimulatedDesktop::ClassName(WindowHandle window, std::size_t bufferChars) {
  if (!Alive(window) || bufferChars == 0) return {};
  return windows_[window].className.substr(0, bufferChars - 1);
}

std::optional<WindowStyles> SimulatedDesktop::Styles(WindowHandle window) {
  if (!Alive(window)) return std::nullopt;
  return WindowStyles{StyleBits(window), windows_[window].exStyle};
}

WindowOwner SimulatedDesktop::Owner(WindowHandle window) {
  if (!Alive(window)) return {};
  return {windows_[window].thread, windows_[window].process};
}

bool SimulatedDesktop::IsVisible(WindowHandle window) {
  return Alive(window) && windows_[window].visible;
}

std::uint32_t SimulatedDesktop::ExStyle(WindowHandle window) {
  return Alive(window) ? windows_[window].exStyle : 0;
}

void SimulatedDesktop::SetExStyle(WindowHandle window, std::uint32_t exStyle) {
  Log(L"SetExStyle", window, exStyle, /*hex=*/true);
  if (Alive(window)) windows_[window].exStyle = exStyle;
}

void SimulatedDesktop::Apply(WindowHandle window, ShowCommand command) {
  if (!Alive(window)) return;
  windows_[window].visible = command != ShowCommand::kHide;
  if (command == ShowCommand::kShowMinimized) windows_[window].minimized = true;
  if (command == ShowCommand::kRestore) windows_[window].minimized = false;
}

void SimulatedDesktop::Show(WindowHandle window, ShowCommand command) {
  Log(L"Show", window, static_cast<std::uint32_t>(command));
  Apply(window, command);
}

void SimulatedDesktop::ShowAsync(WindowHandle window, ShowCommand command) {
  Log(L"ShowAsync", window, static_cast<std::uint32_t>(command));
  Apply(window, command);
}

void SimulatedDesktop::Post(WindowHandle window, std::uint32_t message) {
  Log(L"Post", window, message);
}

bool SimulatedDesktop::SendNull(WindowHandle window, std::chrono::milliseconds) {
  ++nullSends_;
  if (whileWaiting) {
    const std::function<void()> handle = whileWaiting;
    handle();
  }
  return Alive(window) && !Hung(window);
}

WindowHandle SimulatedDesktop::FindByClass(const std::wstring& className) {
  for (WindowHandle window : zOrder_)
    if (windows_[window].className == className) return window;
  return kNoWindow;
}

std::optional<std::vector<SnapshotEntry>> SimulatedDesktop::Snapshot() {
  std::vector<SnapshotEntry> entries;
  for (const auto& [id, process] : processes_) entries.push_back({id, process.snapshotExe});
  return entries;
}

std::optional<std::vector<ProcessId>> SimulatedDesktop::ProcessIds() {
  std::vector<ProcessId> ids;
  for (const auto& entry : processes_) ids.push_back(entry.first);
  return ids;
}

std::optional<std::wstring> SimulatedDesktop::ImageFileName(ProcessId process) {
  ++imageNameQueries_;
  const auto found = processes_.find(process);
  if (found == processes_.end() || !found->second.accessible) return std::nullopt;
  return found->second.devicePath;
}

std::optional<std::wstring> SimulatedDesktop::DosDevice(const std::wstring& drive) {
  const auto found = drives_.find(drive);
  if (found == drives_.end()) return std::nullopt;
  return found->second;
}

void FakeProgramWindow::ToggleProgramWindow(bool askPassword) {
  toggles.push_back(askPassword);
  desktop_.Window(mainWindow).visible = !desktop_.Window(mainWindow).visible;
}

}  // namespace dpx::fakes
