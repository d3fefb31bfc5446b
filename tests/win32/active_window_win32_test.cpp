// The active window and the Bring to TOP program through the real window manager and shell:
// programs of other processes are closed, raised, restored and started.
#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "hide/active_window.h"
#include "hide/bring_to_top.h"
#include "platform/win32/foreground_win32.h"
#include "platform/win32/process_control_win32.h"
#include "platform/win32/processes_win32.h"
#include "platform/win32/text_services_win32.h"
#include "platform/win32/window_manager_win32.h"
#include "platform/win32/window_search_win32.h"
#include "no_program_window.h"
#include "shell_win32_support.h"

namespace dpx {
namespace {

using namespace std::chrono_literals;
using testing::ChildProcess;
using testing::NoProgramWindow;

class ActiveWindowWin32Test : public ::testing::Test {
 protected:
  // Gives the window the foreground as the user's click would, and checks that it has it.
  void Activate(WindowHandle window) {
    foreground.SetForegroundWindow(window);
    ASSERT_TRUE(GetsTheForeground(window));
  }
  // The window of another process takes the foreground once its thread has handled the change.
  bool GetsTheForeground(WindowHandle window) {
    for (int i = 0; i < 50; ++i) {
      if (foreground.ForegroundWindow() == window) return true;
      std::this_thread::sleep_for(100ms);
    }
    return false;
  }

  win32::Win32WindowManager windows;
  win32::Win32Foreground foreground;
  win32::Win32ProcessControl control;
  win32::Win32Processes processes;
  win32::Win32TextServices text;
  NoProgramWindow program;
  Options options;
  win32::Win32WindowSearch search;
  ActiveWindow active{windows, foreground, control, search, program, text, options};
};

TEST_F(ActiveWindowWin32Test, ClosingTheActiveProgramEndsItsProcessWithoutACloseRequest) {
  options.closeActiveWindow = true;
  ChildProcess helper(testing::TestWindowsExe(), L"--window \"Active program\"");
  const WindowHandle window = testing::ReadWindows(helper, 1).at("Active program");
  Activate(window);

  active.RememberActiveWindow();
  EXPECT_EQ(active.Remembered().title, L"Active program");
  EXPECT_EQ(active.Remembered().className, L"DpxTestWindow");
  active.CloseActiveWindow();

  EXPECT_EQ(helper.ReadToEnd(10s), "");  // ended, so it never printed "closed"
  EXPECT_FALSE(testing::SeenFromOutside(window).exists);
}

TEST_F(ActiveWindowWin32Test, FolderWindowIsAskedToClose) {
  options.closeActiveWindow = true;
  ChildProcess helper(testing::TestWindowsExe(), L"--class ExploreWClass --window Folder");
  const WindowHandle window = testing::ReadWindows(helper, 1).at("Folder");
  Activate(window);

  active.RememberActiveWindow();
  active.CloseActiveWindow();

  EXPECT_EQ(helper.ReadToEnd(10s), "closed Folder\r\n");
}

TEST_F(ActiveWindowWin32Test, TheWindowActiveBeforeTheHideGetsTheForegroundBack) {
  ChildProcess helper(testing::TestWindowsExe(), L"--window \"Was active\" --window Other");
  const auto helperWindows = testing::ReadWindows(helper, 2);
  Activate(helperWindows.at("Was active"));
  active.RememberActiveWindow();
  Activate(helperWindows.at("Other"));

  active.ReactivateActiveWindow();

  EXPECT_TRUE(GetsTheForeground(helperWindows.at("Was active")));
  UINT timeout = 12345;
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0));
  EXPECT_EQ(timeout, 0u);
}

class BringToTopWin32Test : public ActiveWindowWin32Test {
 protected:
  std::vector<ListEntry> doNotHide;
  std::vector<ListEntry> bringToTopList;
  WindowCapture capture{windows, processes, program};
  HideMode hideMode{windows, capture, program, text, doNotHide};
  BringToTopProgram bringToTop{windows, foreground,     control, program,
                               text,    bringToTopList, hideMode};
};

TEST_F(BringToTopWin32Test, MinimisedProgramIsRestoredAndRaised) {
  ChildProcess helper(testing::TestWindowsExe(), L"--minimized 1 --window \"Bring me\"");
  const WindowHandle window = testing::ReadWindows(helper, 1).at("Bring me");
  ASSERT_TRUE(::IsIconic(win32::ToHwnd(window)));
  bringToTopList = {ListEntry(text, L"Bring me", L"", false)};
  doNotHide = bringToTopList;

  hideMode.Begin();
  hideMode.CaptureAndHideNewWindow(window);
  bringToTop.BringToTop();
  hideMode.RestoreHiddenWindows();
  hideMode.End();

  EXPECT_FALSE(::IsIconic(win32::ToHwnd(window)));
  EXPECT_TRUE(testing::SeenFromOutside(window).visible);
  EXPECT_TRUE(GetsTheForeground(window));
}

TEST_F(BringToTopWin32Test, ProgramThatIsNotRunningIsStartedInItsFolder) {
  const std::wstring program =
      testing::CopyBeside(testing::TestWindowsExe(), L"dpx_started_program.exe");
  const std::wstring folder = testing::ThisProgramFolder();
  bringToTopList = {ListEntry(text, L"Not running", program, true)};

  hideMode.Begin();
  bringToTop.BringToTop();
  hideMode.End();

  // Started with no arguments, the helper names its working folder in its title.
  const std::wstring title = L"started in " + folder;
  HWND started = nullptr;
  for (int i = 0; i < 100 && !started; ++i) {
    std::this_thread::sleep_for(100ms);
    started = ::FindWindowW(nullptr, title.c_str());
  }
  ASSERT_NE(started, nullptr);
  testing::EndProcessOf(win32::FromHwnd(started));
}

}  // namespace
}  // namespace dpx
