#include "hide/active_window.h"

namespace dpx {
namespace {

// GetClassNameW and GetWindowTextW into buffers of this many characters.
constexpr std::size_t kNameBufferChars = 255;

// Parts of the shell that are never closed: the desktop and the taskbar.
constexpr const wchar_t* kShellClasses[] = {L"SysListView32", L"Shell_TrayWnd", L"WorkerW"};
constexpr wchar_t kDesktopTitle[] = L"Program Manager";
// Folder windows: "ExploreWClass" before Vista, "CabinetWClass" since. They may run in a process
// of their own, which is the shell's all the same.
constexpr const wchar_t* kFolderWindowClasses[] = {L"ExploreWClass", L"CabinetWClass"};

}  // namespace

void BringWindowToFront(Foreground& foreground, const ProgramWindow& program, WindowHandle window) {
  if (program.IsMainWindow(window) || !foreground.IsWindow(window)) return;
  foreground.SetForegroundLockTimeout(0);
  foreground.SetForegroundWindow(window);
}

bool KillWindowProcess(WindowManager& windows, ProcessControl& processes, WindowHandle window) {
  processes.Terminate(windows.Owner(window).process);
  return true;
}

void ActiveWindow::RememberActiveWindow() {
  const WindowHandle window = foreground_.ForegroundWindow();
  remembered_ = {window, windows_.ClassName(window, kNameBufferChars),
                 windows_.WindowText(window, kNameBufferChars)};
}

bool ActiveWindow::ContainsIgnoringCase(const std::wstring& text, const wchar_t* part) {
  return text_.ToUpper(text).find(text_.ToUpper(part)) != std::wstring::npos;
}

bool ActiveWindow::IsOwnWindow(WindowHandle window) {
  if (program_.IsMainWindow(window) || program_.IsApplicationWindow(window)) return true;
  // Any other window of DPX (a dialog that was active when the hot key came): ending its process
  // would end DPX in the middle of the hide.
  return windows_.Owner(window).process == processes_.OwnProcess();
}

bool ActiveWindow::IsShellWindow(WindowHandle window) {
  for (const wchar_t* folderClass : kFolderWindowClasses)
    if (ContainsIgnoringCase(remembered_.className, folderClass)) return true;
  const WindowHandle shell = search_.ShellWindow();
  return shell != kNoWindow && windows_.Owner(shell).process == windows_.Owner(window).process;
}

void ActiveWindow::CloseActiveWindow() {
  const WindowHandle window = remembered_.handle;
  if (!options_.closeActiveWindow || window == kNoWindow) return;
  if (IsOwnWindow(window)) return;
  if (ContainsIgnoringCase(remembered_.title, kDesktopTitle)) return;
  for (const wchar_t* shellClass : kShellClasses)
    if (ContainsIgnoringCase(remembered_.className, shellClass)) return;
  if (IsShellWindow(window)) {
    windows_.Post(window, wm::kClose);
    return;
  }
  KillWindowProcess(windows_, processes_, window);
}

void ActiveWindow::ReactivateActiveWindow() {
  if (!options_.closeActiveWindow) BringWindowToFront(foreground_, program_, remembered_.handle);
}

}  // namespace dpx
