#include <gtest/gtest.h>

#include "common/strings.h"
#include "fakes/simulated_desktop.h"
#include "hide/window_capture.h"

namespace dpx {
namespace {

struct VerdictCase {
  const wchar_t* title;
  const wchar_t* className;
  bool visible;
  CaptureVerdict expected;
};

class CaptureTest : public ::testing::Test {
 protected:
  CaptureTest() {
    desktop.AddDrive(L'C', L"\\Device\\HarddiskVolume1");
    desktop.AddProcess(100, {L"\\Device\\HarddiskVolume1\\Windows\\notepad.exe", L"", true});
  }

  fakes::SimulatedDesktop desktop;
  fakes::FakeProgramWindow program{desktop};
  WindowCapture capture{desktop, desktop, program};
  CapturedWindowList list;
};

TEST_F(CaptureTest, TitleAndClassRulesDecideWhichWindowsAreTaken) {
  const VerdictCase cases[] = {
      {L"Editor", L"Any", true, CaptureVerdict::kTaken},
      {L"Editor", L"Any", false, CaptureVerdict::kNotVisible},
      {L"   \t", L"Any", true, CaptureVerdict::kUntitled},
      {L"   ", L"Afx:00400000:8", true, CaptureVerdict::kTaken},
      {L"", L"Afx:00400000:8", false, CaptureVerdict::kTaken},
      {L"", L" Afx:00400000:8 ", false, CaptureVerdict::kTaken},
      {L"", L"afx:00400000:8", true, CaptureVerdict::kUntitled},
      {L"Start", L"Button", true, CaptureVerdict::kStartButton},
      {L"Start", L"Shell_TrayWnd", true, CaptureVerdict::kTaken},
      {L"start", L"Button", true, CaptureVerdict::kTaken},
      {L"Program Manager", L"Anything", true, CaptureVerdict::kProgramManager},
      {L"Program Manager 2", L"Progman", true, CaptureVerdict::kTaken},
      {L"Windows Security", L"Any", true, CaptureVerdict::kWindowsSecurity},
      {L" Windows Security\r\n", L"Any", true, CaptureVerdict::kWindowsSecurity},
  };
  for (const VerdictCase& c : cases) {
    const WindowHandle w = desktop.AddWindow({c.title, c.className, c.visible});
    EXPECT_EQ(capture.CaptureWindow(w, list), c.expected == CaptureVerdict::kTaken)
        << "title '" << c.title << "' class '" << c.className << "'";
    const WindowFacts facts{TrimControls(c.title), TrimControls(c.className),
                            c.visible ? kStyleVisible : 0u, 0, false};
    EXPECT_EQ(JudgeWindow(facts), c.expected) << "title '" << c.title << "'";
  }
}

TEST_F(CaptureTest, OwnMainWindowIsNeverTakenButItsApplicationWindowIs) {
  program.mainWindow = desktop.AddWindow({L"DPX"});
  program.applicationWindow = desktop.AddWindow({L"DPX app"});
  capture.CaptureTopLevelWindows(list);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].info.Handle, program.applicationWindow);
}

TEST_F(CaptureTest, RowsFollowZOrderAndCarryTrimmedTitlePathCaptionAndStyle) {
  const WindowHandle top =
      desktop.AddWindow({L"  Untitled - Notepad \x01", L"Notepad", true, 0x40100});
  desktop.AddWindow({L"hidden", L"X", false});
  const WindowHandle bottom = desktop.AddWindow({L"Other", L"X", true, 0x80, 2, 999});
  list.push_back({L"stale", {}});

  capture.CaptureTopLevelWindows(list);

  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].info.Handle, top);
  EXPECT_EQ(list[0].info.Title, L"Untitled - Notepad");
  EXPECT_EQ(list[0].info.ExePath, L"C:\\Windows\\notepad.exe");
  EXPECT_EQ(list[0].caption, L"notepad.exe");
  EXPECT_EQ(list[0].info.ExStyle, 0x40100u);
  // Process 999 is unknown: no path, so no caption.
  EXPECT_EQ(list[1].info.Handle, bottom);
  EXPECT_EQ(list[1].info.ExePath, L"");
  EXPECT_EQ(list[1].caption, L"");
  EXPECT_EQ(list[1].info.ExStyle, 0x80u);
}

TEST_F(CaptureTest, LongTitleIsCutTo9999CharactersBeforeTrimming) {
  desktop.AddWindow({std::wstring(9998, L'a') + L" b" + std::wstring(10, L'c')});
  capture.CaptureTopLevelWindows(list);
  ASSERT_EQ(list.size(), 1u);
  // The cut leaves "a...a " (9999 characters), whose trailing blank is then trimmed.
  EXPECT_EQ(list[0].info.Title, std::wstring(9998, L'a'));
}

TEST_F(CaptureTest, PathIsLookedUpOnlyForTakenWindows) {
  desktop.AddWindow({L"shown"});
  desktop.AddWindow({L"not shown", L"X", false});
  desktop.AddWindow({L"", L"X"});
  capture.CaptureTopLevelWindows(list);
  EXPECT_EQ(desktop.imageNameQueries(), 1);
}

TEST_F(CaptureTest, EachProgramIsLookedUpOncePerCaptureAndAfreshInTheNext) {
  desktop.AddDrive(L'D', L"\\Device\\HarddiskVolume2");
  desktop.AddProcess(200, {L"\\Device\\HarddiskVolume2\\Tools\\calc.exe", L"", true});
  desktop.AddProcess(300, {L"\\Device\\HarddiskVolume1\\admin.exe", L"", false});
  // Interleaved, each window on a thread of its own.
  const ProcessId owners[] = {100, 200, 300, 100, 200, 300, 100};
  for (std::size_t i = 0; i < std::size(owners); ++i)
    desktop.AddWindow(
        {L"w" + std::to_wstring(i), L"X", true, 0, static_cast<ThreadId>(i), owners[i]});
  auto paths = [&] {
    std::vector<std::wstring> seen;
    for (const CapturedWindow& row : list) seen.push_back(row.info.ExePath);
    return seen;
  };

  capture.CaptureTopLevelWindows(list);
  const std::wstring notepad = L"C:\\Windows\\notepad.exe", calc = L"D:\\Tools\\calc.exe";
  EXPECT_EQ(paths(), (std::vector<std::wstring>{notepad, calc, L"", notepad, calc, L"", notepad}));
  EXPECT_EQ(desktop.imageNameQueries(), 3);  // a program that cannot be opened is asked once too

  // Between captures the id 200 went to another program: the next capture names that one.
  desktop.AddProcess(200, {L"\\Device\\HarddiskVolume1\\other.exe", L"", true});
  capture.CaptureTopLevelWindows(list);
  EXPECT_EQ(list[1].info.ExePath, L"C:\\other.exe");
  EXPECT_EQ(list[4].caption, L"other.exe");
  EXPECT_EQ(desktop.imageNameQueries(), 6);
}

TEST_F(CaptureTest, ProcessThatCannotBeOpenedGivesEmptyPathAndCaption) {
  desktop.AddProcess(300, {L"\\Device\\HarddiskVolume1\\admin.exe", L"", false});
  desktop.AddWindow({L"Elevated", L"X", true, 0, 7, 300});
  capture.CaptureTopLevelWindows(list);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].info.ExePath, L"");
  EXPECT_EQ(list[0].caption, L"");
}

TEST_F(CaptureTest, OldPlatformNamesTheProgramFromTheSnapshot) {
  desktop.SetPlatformId(kPlatformWin32Windows);
  desktop.AddProcess(200, {L"", L"C:\\WINDOWS\\CALC.EXE", true});
  desktop.AddWindow({L"Calculator", L"X", true, 0, 3, 200});
  desktop.SetPlatformId(kPlatformWin32Windows);
  capture.CaptureTopLevelWindows(list);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].info.ExePath, L"C:\\WINDOWS\\CALC.EXE");
  EXPECT_EQ(list[0].caption, L"CALC.EXE");

  desktop.SetPlatformId(3);  // neither family
  capture.CaptureTopLevelWindows(list);
  EXPECT_EQ(list[0].info.ExePath, L"");
}

TEST_F(CaptureTest, WindowThatDiedBeforeReadingIsNotTaken) {
  const WindowHandle w = desktop.AddWindow({L"gone"});
  desktop.Close(w);
  EXPECT_FALSE(capture.CaptureWindow(w, list));
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace dpx
