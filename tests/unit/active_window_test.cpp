#include <gtest/gtest.h>

#include "fakes/fake_text_services.h"
#include "fakes/simulated_shell.h"
#include "hide/active_window.h"

namespace dpx {
namespace {

class ActiveWindowTest : public ::testing::Test {
 protected:
  ActiveWindowTest() { options.closeActiveWindow = true; }

  // Makes a window of its own process the active one and remembers it as a hide would.
  WindowHandle RememberActive(const std::wstring& title, const std::wstring& className,
                              ProcessId process = 300) {
    const WindowHandle window = desktop.AddWindow({title, className, true, 0, 1, process});
    shell.foreground = window;
    active.RememberActiveWindow();
    return window;
  }

  fakes::SimulatedDesktop desktop;
  fakes::SimulatedShell shell{desktop};
  fakes::FakeProgramWindow program{desktop};
  fakes::FakeTextServices text;
  Options options;
  ActiveWindow active{desktop, shell, shell, shell, program, text, options};
};

TEST_F(ActiveWindowTest, RemembersHandleClassAndTitleAsA255CharacterBufferHoldsThem) {
  const std::wstring longTitle(300, L't');
  const std::wstring longClass(300, L'c');
  const WindowHandle window = RememberActive(longTitle, longClass);

  EXPECT_EQ(active.Remembered().handle, window);
  EXPECT_EQ(active.Remembered().title, std::wstring(254, L't'));
  EXPECT_EQ(active.Remembered().className, std::wstring(254, L'c'));

  shell.foreground = kNoWindow;
  active.RememberActiveWindow();
  EXPECT_EQ(active.Remembered().handle, kNoWindow);
  EXPECT_EQ(active.Remembered().title, L"");
}

TEST_F(ActiveWindowTest, ShellWindowsAreNeverClosedAndFolderWindowsGetACloseRequest) {
  enum class Expect { kNothing, kCloseRequest, kTerminate };
  struct Case {
    const wchar_t* className;
    const wchar_t* title;
    Expect expected;
  };
  const Case cases[] = {
      {L"Progman", L"Program Manager", Expect::kNothing},
      {L"Notepad", L"notes on the program manager", Expect::kNothing},  // contains, any case
      {L"SysListView32", L"FolderView", Expect::kNothing},
      {L"MySysListView32Host", L"Icons", Expect::kNothing},
      {L"shell_traywnd", L"", Expect::kNothing},
      {L"Shell_TrayWnd", L"Taskbar", Expect::kNothing},
      {L"WorkerW", L"", Expect::kNothing},
      {L"workerw", L"Something", Expect::kNothing},
      {L"ExploreWClass", L"C:\\Users", Expect::kCloseRequest},
      {L"exploreWCLASS", L"Documents", Expect::kCloseRequest},
      {L"CabinetWClass", L"C:\\Users", Expect::kCloseRequest},  // every folder window since Vista
      {L"cabinetwclass", L"Downloads", Expect::kCloseRequest},
      {L"Notepad", L"Untitled - Notepad", Expect::kTerminate},
      {L"Program", L"Program Managers' notes", Expect::kNothing},
  };
  ProcessId process = 300;
  for (const Case& c : cases) {
    ++process;
    const WindowHandle window = RememberActive(c.title, c.className, process);
    const WindowHandle sibling = desktop.AddWindow({L"Second window", L"X", true, 0, 1, process});
    desktop.ClearLog();
    shell.ClearLog();

    active.CloseActiveWindow();

    const bool closeRequested = !desktop.log().empty() &&
                                desktop.log().back() == L"Post " + std::to_wstring(window) + L" 16";
    const bool terminated =
        shell.log() == std::vector<std::wstring>{L"Terminate " + std::to_wstring(process)};
    const Expect got = closeRequested ? Expect::kCloseRequest
                       : terminated   ? Expect::kTerminate
                                      : Expect::kNothing;
    EXPECT_EQ(got, c.expected) << "class '" << c.className << "' title '" << c.title << "'";
    // A terminated program loses every window at once.
    EXPECT_EQ(desktop.Exists(sibling), c.expected != Expect::kTerminate) << c.className;
    if (c.expected == Expect::kNothing) {
      EXPECT_TRUE(desktop.log().empty()) << c.className;
    }
  }
}

// Ending the process of the shell's desktop window ends the taskbar and the desktop with it.
TEST_F(ActiveWindowTest, AnyWindowOfTheShellsProcessGetsACloseRequestOthersAreEnded) {
  constexpr ProcessId kShell = 700;
  shell.shellWindow = desktop.AddWindow({L"", L"ShellDesktop", true, 0, 1, kShell});
  const WindowHandle shellDialog = RememberActive(L"Run", L"#32770", kShell);
  desktop.ClearLog();
  active.CloseActiveWindow();
  EXPECT_EQ(desktop.log(),
            std::vector<std::wstring>{L"Post " + std::to_wstring(shellDialog) + L" 16"});
  EXPECT_TRUE(shell.log().empty());

  RememberActive(L"Run", L"#32770", kShell + 1);
  active.CloseActiveWindow();
  EXPECT_EQ(shell.log(), std::vector<std::wstring>{L"Terminate " + std::to_wstring(kShell + 1)});

  // Without a shell, no process is the shell's.
  shell.shellWindow = kNoWindow;
  shell.ClearLog();
  RememberActive(L"Run", L"#32770", kShell);
  active.CloseActiveWindow();
  EXPECT_EQ(shell.log(), std::vector<std::wstring>{L"Terminate " + std::to_wstring(kShell)});
}

TEST_F(ActiveWindowTest, ClosesNothingWhenOffWithoutAWindowOrWhenTheWindowIsDpxs) {
  RememberActive(L"Editor", L"Edit");
  options.closeActiveWindow = false;
  active.CloseActiveWindow();
  EXPECT_TRUE(shell.log().empty());
  options.closeActiveWindow = true;

  shell.foreground = kNoWindow;
  active.RememberActiveWindow();
  active.CloseActiveWindow();
  EXPECT_TRUE(shell.log().empty());

  program.mainWindow = RememberActive(L"DPX", L"TMainForm");
  active.CloseActiveWindow();
  program.applicationWindow = RememberActive(L"DPX", L"TApplication");
  active.CloseActiveWindow();
  // Any other window of DPX's own process, such as one of its dialogs.
  RememberActive(L"Confirm", L"#32770", shell.ownProcess);
  active.CloseActiveWindow();

  EXPECT_TRUE(shell.log().empty());
  EXPECT_TRUE(desktop.log().empty());
}

TEST_F(ActiveWindowTest, ReactivationGivesTheForegroundBackAfterClearingTheLockTimeout) {
  options.closeActiveWindow = false;
  const WindowHandle window = RememberActive(L"Editor", L"Edit");
  shell.foreground = desktop.AddWindow({L"Other"});

  active.ReactivateActiveWindow();

  EXPECT_EQ(shell.log(),
            (std::vector<std::wstring>{L"SetForegroundLockTimeout 0",
                                       L"SetForegroundWindow " + std::to_wstring(window)}));
  EXPECT_EQ(shell.foreground, window);
}

TEST_F(ActiveWindowTest, NothingIsReactivatedWhenClosingIsOnOrTheWindowIsGoneOrDpxs) {
  const WindowHandle window = RememberActive(L"Editor", L"Edit");
  active.ReactivateActiveWindow();  // the close option is on
  options.closeActiveWindow = false;
  desktop.Close(window);
  active.ReactivateActiveWindow();
  program.mainWindow = RememberActive(L"DPX", L"TMainForm");
  active.ReactivateActiveWindow();
  shell.foreground = kNoWindow;
  active.RememberActiveWindow();
  active.ReactivateActiveWindow();

  EXPECT_TRUE(shell.log().empty());
}

TEST_F(ActiveWindowTest, KillingAWindowsProcessThatCannotBeOpenedLeavesItRunning) {
  const WindowHandle window = desktop.AddWindow({L"Elevated", L"X", true, 0, 1, 500});
  shell.unopenableProcesses.insert(500);

  EXPECT_TRUE(KillWindowProcess(desktop, shell, window));
  EXPECT_TRUE(desktop.Exists(window));
  EXPECT_EQ(shell.log(), (std::vector<std::wstring>{L"Terminate 500"}));
}

}  // namespace
}  // namespace dpx
