#include <gtest/gtest.h>

#include "fakes/fake_text_services.h"
#include "fakes/simulated_shell.h"
#include "hide/bring_to_top.h"

namespace dpx {
namespace {

TEST(WorkingFolderTest, IsThePathsFolderWithoutTrailingBackslashExceptAtARoot) {
  struct Case {
    const wchar_t* path;
    const wchar_t* folder;
  };
  const Case cases[] = {
      {L"C:\\Tools\\Editor\\edit.exe", L"C:\\Tools\\Editor"},
      {L"C:\\edit.exe", L"C:\\"},
      {L"D:\\", L"D:\\"},
      {L"C:edit.exe", L"C:"},
      {L"\\edit.exe", L"\\"},
      {L"\\\\server\\share\\edit.exe", L"\\\\server\\share"},
      {L"edit.exe", L""},
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(WorkingFolderOf(c.path), c.folder) << c.path;
}

class BringToTopTest : public ::testing::Test {
 protected:
  BringToTopTest() {
    desktop.AddDrive(L'C', L"\\Device\\HarddiskVolume1");
    desktop.AddProcess(200, {L"\\Device\\HarddiskVolume1\\Tools\\Editor.exe", L"", true});
    desktop.AddProcess(300, {L"\\Device\\HarddiskVolume1\\Tools\\Viewer.exe", L"", true});
  }

  WindowHandle AddWindow(const std::wstring& title, ProcessId process) {
    return desktop.AddWindow({title, L"X", true, 0, process, process});
  }
  // Hides as the toggle does, then brings the list's program forward.
  void HideThenBringToTop() {
    hideMode.Begin();
    hideMode.CaptureAndHideAll();
    desktop.ClearLog();
    shell.ClearLog();
    bringToTop.BringToTop();
  }

  fakes::SimulatedDesktop desktop;
  fakes::SimulatedShell shell{desktop};
  fakes::FakeProgramWindow program{desktop};
  fakes::FakeTextServices text;
  std::vector<ListEntry> doNotHide;
  std::vector<ListEntry> bringToTopList;
  WindowCapture capture{desktop, desktop, program};
  HideMode hideMode{desktop, capture, program, text, doNotHide};
  BringToTopProgram bringToTop{desktop, shell, shell, program, text, bringToTopList, hideMode};
};

TEST_F(BringToTopTest, EmptyListRaisesAndStartsNothing) {
  AddWindow(L"Editor", 200);
  HideThenBringToTop();
  EXPECT_TRUE(shell.log().empty());
  EXPECT_TRUE(desktop.log().empty());
}

TEST_F(BringToTopTest, TitleMatchWinsOverAnEarlierPathMatch) {
  AddWindow(L"Editor - first", 200);
  const WindowHandle titled = AddWindow(L"Wanted", 300);
  bringToTopList = {ListEntry(text, L"Wanted", L"C:\\Tools\\Editor.exe", false),
                    ListEntry(text, L"Editor - first", L"", false)};  // only the first counts

  HideThenBringToTop();

  EXPECT_EQ(shell.log(),
            (std::vector<std::wstring>{L"SetForegroundLockTimeout 0",
                                       L"SetForegroundWindow " + std::to_wstring(titled)}));
  EXPECT_EQ(shell.foreground, titled);
}

TEST_F(BringToTopTest, TitleIsComparedWithCase) {
  AddWindow(L"wanted", 300);
  bringToTopList = {ListEntry(text, L"Wanted", L"C:\\Elsewhere\\Other.exe", false)};

  HideThenBringToTop();

  EXPECT_EQ(shell.log(),
            (std::vector<std::wstring>{L"Open C:\\Elsewhere\\Other.exe|C:\\Elsewhere"}));
}

TEST_F(BringToTopTest, ProgramRunningUnderAnotherTitleIsFoundByItsExactPath) {
  AddWindow(L"Viewer", 300);
  const WindowHandle editor = AddWindow(L"Editor - notes.txt", 200);
  bringToTopList = {ListEntry(text, L"Editor", L"C:\\Tools\\Editor.exe", true)};

  HideThenBringToTop();

  EXPECT_EQ(shell.foreground, editor);
}

TEST_F(BringToTopTest, PathDifferingOnlyInCaseStartsASecondCopyInItsFolder) {
  AddWindow(L"Editor - notes.txt", 200);
  bringToTopList = {ListEntry(text, L"Editor", L"C:\\TOOLS\\Editor.exe", true)};

  HideThenBringToTop();

  EXPECT_EQ(shell.log(), (std::vector<std::wstring>{L"Open C:\\TOOLS\\Editor.exe|C:\\TOOLS"}));
}

TEST_F(BringToTopTest, ProgramInADrivesRootStartsInTheRootFolder) {
  bringToTopList = {ListEntry(text, L"Tool", L"C:\\tool.exe", false)};
  HideThenBringToTop();
  EXPECT_EQ(shell.log(), (std::vector<std::wstring>{L"Open C:\\tool.exe|C:\\"}));
}

TEST_F(BringToTopTest, AStartedProgramsWindowGetsTheForegroundOnlyWhileStillHidden) {
  bringToTopList = {ListEntry(text, L"Editor", L"C:\\Tools\\Editor.exe", false)};
  for (const bool restoredFirst : {false, true}) {
    SCOPED_TRACE(restoredFirst ? "restored before it showed" : "shown in hide mode");
    HideThenBringToTop();
    ASSERT_TRUE(shell.startedWindowShown);
    if (restoredFirst) {
      hideMode.RestoreHiddenWindows();
      hideMode.End();
    }
    shell.ClearLog();
    // Of the new process: neither its title nor its path matches the entry.
    desktop.AddProcess(400, {L"\\Device\\HarddiskVolume1\\Temp\\splash.exe", L"", true});
    const WindowHandle started = AddWindow(restoredFirst ? L"Late" : L"Early", 400);

    shell.startedWindowShown(started);

    if (restoredFirst) {
      EXPECT_TRUE(shell.log().empty());
    } else {
      EXPECT_EQ(shell.log(),
                (std::vector<std::wstring>{L"SetForegroundLockTimeout 0",
                                           L"SetForegroundWindow " + std::to_wstring(started)}));
      EXPECT_EQ(shell.foreground, started);
      hideMode.RestoreHiddenWindows();
      hideMode.End();
    }
  }
}

TEST_F(BringToTopTest, EntryWithoutPathAndNoMatchStartsNothing) {
  AddWindow(L"Editor", 200);
  bringToTopList = {ListEntry(text, L"Not there", L"", false)};
  HideThenBringToTop();
  EXPECT_TRUE(shell.log().empty());
}

TEST_F(BringToTopTest, MinimisedWindowIsRestoredAndANormalOneIsOnlyRaised) {
  const WindowHandle minimised = AddWindow(L"Editor", 200);
  desktop.Window(minimised).minimized = true;
  bringToTopList = {ListEntry(text, L"Editor", L"", false)};
  doNotHide = {ListEntry(text, L"Editor", L"", false)};

  HideThenBringToTop();

  EXPECT_EQ(desktop.log(),
            (std::vector<std::wstring>{L"Show " + std::to_wstring(minimised) + L" 9"}));
  EXPECT_FALSE(desktop.Window(minimised).minimized);
  EXPECT_EQ(shell.foreground, minimised);

  hideMode.RestoreHiddenWindows();
  hideMode.End();
  HideThenBringToTop();
  EXPECT_TRUE(desktop.log().empty());  // raised, but nothing to restore
  EXPECT_EQ(shell.foreground, minimised);
}

TEST_F(BringToTopTest, MinimisedWindowOfAHungProgramIsRestoredWithoutWaiting) {
  const WindowHandle minimised = AddWindow(L"Editor", 200);
  desktop.Window(minimised).minimized = true;
  desktop.HangThread(200);
  bringToTopList = {ListEntry(text, L"Editor", L"", false)};
  doNotHide = {ListEntry(text, L"Editor", L"", false)};

  HideThenBringToTop();

  EXPECT_EQ(desktop.log(),
            (std::vector<std::wstring>{L"ShowAsync " + std::to_wstring(minimised) + L" 9"}));
}

TEST_F(BringToTopTest, HiddenWindowThatIsNotMinimisedStaysHidden) {
  const WindowHandle editor = AddWindow(L"Editor", 200);
  bringToTopList = {ListEntry(text, L"Editor", L"", false)};

  HideThenBringToTop();

  EXPECT_FALSE(desktop.IsVisible(editor));
  EXPECT_EQ(shell.foreground, editor);
}

}  // namespace
}  // namespace dpx
