// Starting programs through the real shell: the start's first window comes back to the thread
// that asked, once the new program has shown it.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <optional>

#include "platform/win32/process_control_win32.h"
#include "platform/win32/window_manager_win32.h"
#include "child_process.h"
#include "shell_win32_support.h"

namespace dpx {
namespace {

using namespace std::chrono_literals;

// Dispatches this thread's messages until `done`, for at most `bound`.
template <typename Done>
bool PumpUntil(const Done& done, std::chrono::milliseconds bound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  while (!done()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }
  return true;
}

TEST(ProcessControlWin32Test, AStartedProgramsShownWindowComesBackToTheThreadThatStartedIt) {
  const std::wstring program =
      testing::CopyBeside(testing::TestWindowsExe(), L"dpx_first_window_program.exe");
  win32::Win32ProcessControl control;
  std::optional<WindowHandle> reported;
  DWORD reportedOn = 0;

  control.Open(program, testing::ThisProgramFolder(), [&](WindowHandle window) {
    reported = window;
    reportedOn = ::GetCurrentThreadId();
  });

  ASSERT_TRUE(PumpUntil([&] { return reported.has_value(); }, 20s));
  const HWND window = win32::ToHwnd(*reported);
  EXPECT_EQ(reportedOn, ::GetCurrentThreadId());
  EXPECT_TRUE(::IsWindowVisible(window));
  wchar_t title[256] = L"";
  ::GetWindowTextW(window, title, 256);
  EXPECT_EQ(std::wstring(title), L"started in " + testing::ThisProgramFolder());
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  EXPECT_NE(process, ::GetCurrentProcessId());
  testing::EndProcessOf(*reported);
}

}  // namespace
}  // namespace dpx
