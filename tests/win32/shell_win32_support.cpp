#include "shell_win32_support.h"

#include <windows.h>

#include <cstdio>
#include <thread>

#include "platform/win32/unique_handle.h"

namespace dpx::testing {

using namespace std::chrono_literals;

namespace {

std::wstring Hex(WindowHandle window) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%llx", static_cast<unsigned long long>(window));
  return text;
}

}  // namespace

std::map<WindowHandle, SeenWindow> SeenFromOutside(const std::vector<WindowHandle>& windows) {
  std::wstring arguments;
  for (WindowHandle window : windows) arguments += Hex(window) + L" ";
  ChildProcess probe(ThisProgramFolder() + L"\\dpx_window_probe.exe", arguments);
  std::map<WindowHandle, SeenWindow> seen;
  for (WindowHandle window : windows) seen[window] = {};
  for (const std::string& line : probe.ReadLines(windows.size(), 10s)) {
    unsigned long long handle = 0;
    int visible = 0;
    unsigned long exStyle = 0;
    if (std::sscanf(line.c_str(), "%llx visible=%d exstyle=%lx", &handle, &visible, &exStyle) == 3)
      seen[handle] = {true, visible != 0, static_cast<std::uint32_t>(exStyle)};
  }
  return seen;
}

SeenWindow SeenFromOutside(WindowHandle window) {
  return SeenFromOutside(std::vector{window})[window];
}

bool BecomesVisible(WindowHandle window, bool visible, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const SeenWindow seen = SeenFromOutside(window);
    if (seen.exists && seen.visible == visible) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(100ms);
  }
}

std::wstring TestWindowsExe() {
  return ThisProgramFolder() + L"\\dpx_test_windows.exe";
}

std::map<std::string, WindowHandle> ReadWindows(ChildProcess& helper, std::size_t count) {
  std::map<std::string, WindowHandle> windows;
  for (const std::string& line : helper.ReadLines(count, 20s)) {
    const auto space = line.find(' ');
    if (space == std::string::npos) continue;
    windows[line.substr(space + 1)] = std::stoull(line.substr(0, space), nullptr, 16);
  }
  return windows;
}

void EndProcessOf(WindowHandle window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &process);
  if (process == 0) return;
  win32::UniqueHandle handle(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process));
  if (!handle) return;
  ::TerminateProcess(handle.Get(), 1);
  ::WaitForSingleObject(handle.Get(), 5000);
}

}  // namespace dpx::testing
