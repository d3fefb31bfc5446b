#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <unistd.h>

#include "fakes/fake_text_services.h"
#include "fakes/fake_window_marks.h"
#include "fakes/simulated_desktop.h"
#include "hide/hide_mode.h"
#include "hide/hide_recovery.h"
#include "hide/journal_trail.h"
#include "platform/file_io.h"

namespace dpx {
namespace {

class RecordingRecoverySteps final : public RecoverySteps {
 public:
  void ShowShellSurfaces(const HiddenSurfaces& s) override {
    calls.push_back(L"surfaces " + std::to_wstring(s.desktopIcons) + std::to_wstring(s.taskbar) +
                    std::to_wstring(s.trayIcons));
  }
  void PutBackDisplaySettings(const DisplaySettings& s) override {
    calls.push_back(L"display " + std::to_wstring(s.mode.width));
  }
  void PutBackWallpaper(const std::wstring& path) override {
    calls.push_back(L"wallpaper " + path);
    if (wallpaperFails) throw std::runtime_error("the registry refused");
  }
  bool wallpaperFails = false;
  void PutBackVolume(const VolumeState& v) override {
    calls.push_back(L"volume " + std::to_wstring(v.volume));
    if (afterLastStep) afterLastStep();
  }
  std::function<void()> afterLastStep;
  std::vector<std::wstring> calls;
};

// A run that hides with the journal and the marks, then dies: a second "run" recovers on the same
// desktop.
class HideRecoveryTest : public ::testing::Test {
 protected:
  HideRecoveryTest() {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    desktop.AddDrive(L'C', L"\\Device\\HarddiskVolume1");
    desktop.AddProcess(100, {L"\\Device\\HarddiskVolume1\\Windows\\notepad.exe", L"", true});
    desktop.AddProcess(200, {L"\\Device\\HarddiskVolume1\\Tools\\calc.exe", L"", true});
    hideMode.SetTrail(&trail);
  }
  ~HideRecoveryTest() override { std::filesystem::remove_all(folder); }

  WindowHandle Add(const std::wstring& title, std::uint32_t exStyle, ProcessId process = 200,
                   ThreadId thread = 1) {
    return desktop.AddWindow({title, L"C", true, exStyle, thread, process});
  }
  void HideThenDie() {
    hideMode.Begin();
    hideMode.CaptureAndHideAll();
  }
  std::wstring ShowCall(WindowHandle window) { return L"Show " + std::to_wstring(window) + L" 8"; }
  std::vector<std::wstring> ShowCalls() {
    std::vector<std::wstring> shows;
    for (const auto& line : desktop.log())
      if (line.starts_with(L"Show")) shows.push_back(line);
    return shows;
  }
  RecoveryResult Recover() {
    desktop.ClearLog();
    return recovery.Recover();
  }
  bool JournalExists() { return FileExists(journalPath.wstring()); }

  std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                 ("dpx-recovery-" + std::to_string(::getpid()) + "-" +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::path journalPath = folder / "HideJournal.dat";
  fakes::SimulatedDesktop desktop;
  fakes::FakeProgramWindow program{desktop};
  fakes::FakeTextServices text;
  fakes::FakeWindowMarks marks{desktop};
  std::vector<ListEntry> doNotHide;
  WindowCapture capture{desktop, desktop, program};
  HideMode hideMode{desktop, capture, program, text, doNotHide};
  HideJournalFile file{journalPath.wstring()};
  std::function<void(HideJournal&)> sideActions = [](HideJournal& journal) {
    journal.surfaces.taskbar = true;
    journal.savedVolume = VolumeState{1000, false};
    journal.displaySettings = DisplaySettings{{1024, 768, 32, 60}, {}};
    journal.wallpaperPath = L"C:\\sea.bmp";
  };
  JournalTrail trail{file, marks, [this](HideJournal& journal) { sideActions(journal); }};
  RecordingRecoverySteps steps;
  HideRecovery recovery{desktop, desktop, marks, file, steps};
};

TEST_F(HideRecoveryTest, TheHideLeavesAJournalAndMarksOnlyTheWindowsItHides) {
  const WindowHandle a = Add(L"A", 0x40000);
  const WindowHandle kept = Add(L"Kept", 0x200, 100);
  doNotHide = {ListEntry(text, L"Kept", L"", false)};
  HideThenDie();

  const auto journal = file.Load().journal;
  ASSERT_TRUE(journal);
  EXPECT_EQ(journal->windows,
            (std::vector<JournalWindow>{{a, 0x40000, L"C:\\Tools\\calc.exe"},
                                        {kept, 0x200, L"C:\\Windows\\notepad.exe"}}));
  EXPECT_TRUE(journal->surfaces.taskbar);
  EXPECT_EQ(marks.MarkedExStyle(a), 0x40000u);
  EXPECT_FALSE(marks.MarkedExStyle(kept));

  // A window made while hidden is added to the journal before it is hidden.
  const WindowHandle late = Add(L"Late", 0x10);
  hideMode.CaptureAndHideNewWindow(late);
  EXPECT_EQ(file.Load().journal->windows.back(),
            (JournalWindow{late, 0x10, L"C:\\Tools\\calc.exe"}));

  // A normal restore takes the marks away and deletes the journal.
  hideMode.RestoreHiddenWindows();
  hideMode.End();
  EXPECT_FALSE(marks.MarkedExStyle(a));
  EXPECT_FALSE(marks.MarkedExStyle(late));
  EXPECT_FALSE(JournalExists());
}

TEST_F(HideRecoveryTest, RecoveryPutsBackSideActionsThenWindowsLastCapturedFirst) {
  const WindowHandle a = Add(L"A", 0x40000);
  const WindowHandle b = Add(L"B", 0x8);
  const WindowHandle c = Add(L"C", 0x100, 100);
  HideThenDie();

  const RecoveryResult result = Recover();

  EXPECT_TRUE(result.journalFound);
  EXPECT_TRUE(result.Complete());
  EXPECT_EQ(result.windowsShown, 3u);
  EXPECT_EQ(steps.calls, (std::vector<std::wstring>{L"surfaces 010", L"display 1024",
                                                    L"wallpaper C:\\sea.bmp", L"volume 1000"}));
  EXPECT_EQ(ShowCalls(), (std::vector<std::wstring>{ShowCall(c), ShowCall(b), ShowCall(a)}));
  EXPECT_EQ(desktop.ExStyle(a), 0x40000u);
  EXPECT_EQ(desktop.ExStyle(b), 0x8u);
  EXPECT_TRUE(desktop.IsVisible(c));
  EXPECT_FALSE(marks.MarkedExStyle(a));
  EXPECT_FALSE(JournalExists());
  // Nothing is left for a second recovery.
  EXPECT_FALSE(Recover().journalFound);
  EXPECT_TRUE(ShowCalls().empty());
}

TEST_F(HideRecoveryTest, AFailingSideActionKeepsNeitherTheOthersNorTheWindowsFromComingBack) {
  const WindowHandle a = Add(L"A", 0x40000);
  HideThenDie();
  steps.wallpaperFails = true;

  const RecoveryResult result = Recover();
  EXPECT_EQ(result.windowsShown, 1u);
  EXPECT_EQ(result.sideActionsFailed, 1u);
  EXPECT_FALSE(result.Complete());
  EXPECT_EQ(steps.calls.back(), L"volume 1000");
  EXPECT_TRUE(desktop.IsVisible(a));
  EXPECT_FALSE(JournalExists());
}

TEST_F(HideRecoveryTest, LeavesAloneWindowsThatAreNoLongerTheOnesItHid) {
  const WindowHandle reused = Add(L"Reused", 0x100);
  const WindowHandle closed = Add(L"Closed", 0);
  const WindowHandle shownMeanwhile = Add(L"Shown", 0);
  const WindowHandle hiddenByOthers = Add(L"Other", 0);
  const WindowHandle ours = Add(L"Ours", 0x40000);
  HideThenDie();
  // The handle now belongs to another program; another program hid one listed window itself and
  // took DPX's mark away with it.
  desktop.Window(reused).process = 100;
  desktop.Close(closed);
  desktop.Show(shownMeanwhile, ShowCommand::kShowNoActivate);
  marks.Unmark(hiddenByOthers);

  const RecoveryResult result = Recover();

  EXPECT_EQ(result.windowsShown, 1u);
  EXPECT_EQ(ShowCalls(), std::vector<std::wstring>{ShowCall(ours)});
  EXPECT_FALSE(desktop.IsVisible(reused));
  EXPECT_EQ(desktop.ExStyle(reused), 0u);
  EXPECT_FALSE(desktop.IsVisible(hiddenByOthers));
  EXPECT_FALSE(marks.MarkedExStyle(shownMeanwhile));  // nothing left to undo
}

TEST_F(HideRecoveryTest, AJournalThatCannotBeDeletedIsSetAsideOrReportedAsLeft) {
  const std::filesystem::path replayed = journalPath.string() + ".replayed";
  for (const bool renameFails : {false, true}) {
    SCOPED_TRACE(renameFails ? "nor renamed" : "renamed instead");
    std::filesystem::remove_all(journalPath);
    std::filesystem::remove_all(replayed);
    const WindowHandle a = Add(L"A", 0x40000);
    HideThenDie();
    // Read already, the journal's name now holds what no delete of a file removes; a rename
    // fails onto a folder that is not empty.
    steps.afterLastStep = [&] {
      std::filesystem::remove(journalPath);
      std::filesystem::create_directories(journalPath / "held");
      if (renameFails) std::filesystem::create_directories(replayed / "held");
    };

    const RecoveryResult result = Recover();

    EXPECT_TRUE(desktop.IsVisible(a));
    EXPECT_EQ(result.sideActionsFailed, 0u);
    EXPECT_EQ(result.journalLeft, renameFails);
    EXPECT_EQ(result.Complete(), !renameFails);
    // Either way nothing is left where the next start would replay it as new, or it is told.
    EXPECT_EQ(std::filesystem::exists(journalPath), renameFails);
    EXPECT_TRUE(std::filesystem::exists(replayed / "held"));
  }
}

TEST_F(HideRecoveryTest, WithoutAJournalTheMarksAloneFindDpxsWindows) {
  const WindowHandle top = Add(L"Top", 0x40000);
  const WindowHandle bottom = Add(L"Bottom", 0x8);
  const WindowHandle foreign = Add(L"Hidden by another program", 0, 100);
  desktop.Window(foreign).visible = false;
  HideThenDie();
  for (const bool damaged : {false, true}) {
    SCOPED_TRACE(damaged ? "damaged journal" : "journal lost");
    if (damaged) {
      HideThenDie();
      WriteFileAtomically(journalPath.wstring(), {'x', '\n'});
    } else {
      file.Remove();
    }

    const RecoveryResult result = Recover();

    EXPECT_FALSE(result.journalFound);
    EXPECT_EQ(result.journalDamaged, damaged);
    // A lost journal leaves nothing known undone; a damaged one loses its side actions.
    EXPECT_EQ(result.Complete(), !damaged);
    EXPECT_TRUE(steps.calls.empty());  // side states are only in the journal
    EXPECT_EQ(ShowCalls(), (std::vector<std::wstring>{ShowCall(bottom), ShowCall(top)}));
    EXPECT_EQ(desktop.ExStyle(top), 0x40000u);
    EXPECT_FALSE(desktop.IsVisible(foreign));
    EXPECT_EQ(FileExists(journalPath.wstring() + L".damaged"), damaged);
  }
}

TEST_F(HideRecoveryTest, AJournalOfAHideThatHidNothingOnlyGoesAway) {
  sideActions = [](HideJournal&) {};
  HideThenDie();
  ASSERT_TRUE(JournalExists());

  const RecoveryResult result = Recover();

  EXPECT_TRUE(result.journalFound);
  EXPECT_EQ(result.windowsShown, 0u);
  EXPECT_EQ(steps.calls, std::vector<std::wstring>{L"surfaces 000"});
  EXPECT_TRUE(desktop.log().empty());
  EXPECT_FALSE(JournalExists());
}

TEST_F(HideRecoveryTest, AHungProgramIsAskedOnceAndShownWhenItPumpsAgain) {
  const WindowHandle first = Add(L"Hung 1", 0x100, 200, 7);
  const WindowHandle second = Add(L"Hung 2", 0x100, 200, 7);
  const WindowHandle hidePending = Add(L"Hung 3", 0x100, 200, 7);
  HideThenDie();
  desktop.HangThread(7);
  // Its thread hung before it carried out the hide: still on the screen, the hide queued.
  desktop.Window(hidePending).visible = true;
  const int sendsBefore = desktop.nullSends();

  Recover();

  EXPECT_EQ(desktop.nullSends() - sendsBefore, 1);
  for (const auto& line : desktop.log()) EXPECT_EQ(line.find(L"BLOCKED"), std::wstring::npos);
  const auto showAsync = [](WindowHandle w) { return L"ShowAsync " + std::to_wstring(w) + L" 8"; };
  EXPECT_EQ(ShowCalls(), (std::vector<std::wstring>{showAsync(hidePending), showAsync(second),
                                                    showAsync(first)}));
  EXPECT_FALSE(marks.MarkedExStyle(hidePending));
}

}  // namespace
}  // namespace dpx
