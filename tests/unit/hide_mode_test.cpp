#include <gtest/gtest.h>

#include "fakes/simulated_hide_mode.h"
#include "hide/hide_mode.h"

namespace dpx {
namespace {

using fakes::SimWindow;

class HideModeTest : public ::testing::Test, protected fakes::SimulatedHideMode {
 protected:
  HideModeTest() {
    desktop.AddDrive(L'C', L"\\Device\\HarddiskVolume1");
    desktop.AddProcess(100, {L"\\Device\\HarddiskVolume1\\Windows\\notepad.exe", L"", true});
    desktop.AddProcess(200, {L"\\Device\\HarddiskVolume1\\Tools\\calc.exe", L"", true});
  }

  WindowHandle Add(const std::wstring& title, ProcessId process = 200, std::uint32_t exStyle = 0,
                   ThreadId thread = 1) {
    return desktop.AddWindow({title, L"C", true, exStyle, thread, process});
  }
  void Hide() {
    hideMode.Begin();
    hideMode.CaptureAndHideAll();
  }
  std::vector<WindowHandle> HolderHandles() {
    std::vector<WindowHandle> handles;
    for (const auto& row : *hideMode.Holder()) handles.push_back(row.info.Handle);
    return handles;
  }
};

TEST_F(HideModeTest, HidesUnprotectedWindowsAndKeepsEveryCapturedOneInZOrder) {
  const WindowHandle a = Add(L"A", 200, 0x40000);
  const WindowHandle byTitle = Add(L"Untitled - Notepad", 100, 0x100);
  const WindowHandle byPath = Add(L"anything", 100);
  doNotHide = {ListEntry(text, L"Untitled - Notepad", L"", false),
               ListEntry(text, L"", L"C:\\Windows\\NOTEPAD.EXE", true)};

  Hide();

  EXPECT_TRUE(hideMode.Active());
  EXPECT_EQ(HolderHandles(), (std::vector<WindowHandle>{a, byTitle, byPath}));
  EXPECT_FALSE(desktop.IsVisible(a));
  EXPECT_TRUE(desktop.IsVisible(byTitle));
  EXPECT_TRUE(desktop.IsVisible(byPath));
  // Only the tool-window bit survives the hide; protected windows keep their style.
  EXPECT_EQ(desktop.ExStyle(a), 0u);
  EXPECT_EQ(desktop.ExStyle(byTitle), 0x100u);
}

TEST_F(HideModeTest, HideMakesItsFourCallsInOrderAndKeepsTheToolWindowBit) {
  const WindowHandle w = Add(L"Tool", 200, 0x80 | 0x40000 | 0x8);
  Hide();
  const std::wstring h = std::to_wstring(w);
  EXPECT_EQ(desktop.log(),
            (std::vector<std::wstring>{L"SetExStyle " + h + L" 0x80", L"Post " + h + L" 15",
                                       L"Show " + h + L" 0"}));
  EXPECT_EQ(desktop.ExStyle(w), 0x80u);
}

TEST_F(HideModeTest, RestoreShowsLastCapturedFirstWithCapturedStyles) {
  const WindowHandle a = Add(L"A", 200, 0x40000);
  const WindowHandle b = Add(L"B", 200, 0x8);
  const WindowHandle kept = Add(L"Kept", 100, 0x200);
  doNotHide = {ListEntry(text, L"Kept", L"", false)};
  Hide();
  desktop.ClearLog();

  hideMode.RestoreHiddenWindows();
  hideMode.End();

  const auto s = [](WindowHandle w) { return std::to_wstring(w); };
  EXPECT_EQ(desktop.log(), (std::vector<std::wstring>{
                               L"SetExStyle " + s(kept) + L" 0x200", L"Show " + s(kept) + L" 8",
                               L"SetExStyle " + s(b) + L" 0x8", L"Show " + s(b) + L" 8",
                               L"SetExStyle " + s(a) + L" 0x40000", L"Show " + s(a) + L" 8"}));
  EXPECT_TRUE(desktop.IsVisible(a) && desktop.IsVisible(b) && desktop.IsVisible(kept));
  EXPECT_FALSE(hideMode.Active());
}

TEST_F(HideModeTest, MediaPlayerIsMinimisedEvenWhenProtected) {
  const WindowHandle player = desktop.AddWindow({L"Player", L"WMPlayerApp", true, 0, 1, 200});
  doNotHide = {ListEntry(text, L"Player", L"", false)};
  Hide();
  EXPECT_EQ(desktop.log().front(), L"Show " + std::to_wstring(player) + L" 2");
  EXPECT_TRUE(desktop.IsVisible(player));
}

TEST_F(HideModeTest, WindowThatClosedWhileHiddenDoesNotStopTheRestore) {
  const WindowHandle gone = Add(L"Gone");
  const WindowHandle stays = Add(L"Stays");
  Hide();
  desktop.Close(gone);
  hideMode.RestoreHiddenWindows();
  EXPECT_TRUE(desktop.IsVisible(stays));
  EXPECT_TRUE(hideMode.Holder()->empty());
}

TEST_F(HideModeTest, ShownProgramWindowHidesWithTheDesktopAndReturnsWithoutPassword) {
  program.mainWindow = desktop.AddWindow({L"DPX settings"});
  program.applicationWindow = Add(L"DPX");
  Hide();
  EXPECT_EQ(program.toggles, (std::vector<bool>{true}));
  EXPECT_FALSE(program.IsMainWindowVisible());

  hideMode.RestoreHiddenWindows();
  EXPECT_EQ(program.toggles, (std::vector<bool>{true, false}));
  EXPECT_TRUE(program.IsMainWindowVisible());
}

TEST_F(HideModeTest, HiddenProgramWindowStaysHiddenAtRestore) {
  // The application window shows only while the main window does.
  program.mainWindow = desktop.AddWindow({L"DPX settings", L"C", false});
  program.applicationWindow = desktop.AddWindow({L"DPX", L"C", false});
  Hide();
  hideMode.RestoreHiddenWindows();
  EXPECT_TRUE(program.toggles.empty());
  EXPECT_FALSE(program.IsMainWindowVisible());
}

TEST_F(HideModeTest, VisibleApplicationWindowOfAHiddenProgramWindowIsProtected) {
  program.mainWindow = desktop.AddWindow({L"DPX settings", L"C", false});
  program.applicationWindow = Add(L"DPX");
  Hide();
  EXPECT_TRUE(desktop.IsVisible(program.applicationWindow));
  EXPECT_TRUE(desktop.log().empty());
  // Its row brings the program window back, without the password.
  hideMode.RestoreHiddenWindows();
  EXPECT_EQ(program.toggles, (std::vector<bool>{false}));
  EXPECT_TRUE(desktop.log().empty());
}

TEST_F(HideModeTest, NewWindowGoesToTheEndOfTheHolderAndIsRestoredFirst) {
  const WindowHandle first = Add(L"First");
  Hide();
  const WindowHandle late = Add(L"Late");
  const WindowHandle lateKept = Add(L"Late kept");
  const WindowHandle invisible = desktop.AddWindow({L"Invisible", L"C", false});
  doNotHide = {ListEntry(text, L"Late kept", L"", false)};

  hideMode.CaptureAndHideNewWindow(late);
  hideMode.CaptureAndHideNewWindow(lateKept);
  hideMode.CaptureAndHideNewWindow(invisible);

  EXPECT_EQ(HolderHandles(), (std::vector<WindowHandle>{first, late, lateKept}));
  EXPECT_FALSE(desktop.IsVisible(late));
  EXPECT_TRUE(desktop.IsVisible(lateKept));
  desktop.ClearLog();
  hideMode.RestoreHiddenWindows();
  EXPECT_EQ(desktop.log()[0], L"SetExStyle " + std::to_wstring(lateKept) + L" 0x0");
}

TEST_F(HideModeTest, NewWindowOutsideHideModeIsIgnored) {
  const WindowHandle w = Add(L"W");
  hideMode.CaptureAndHideNewWindow(w);
  EXPECT_TRUE(desktop.IsVisible(w));
  EXPECT_FALSE(hideMode.Active());
}

// What the pass tells the trail, in order.
class RecordingTrail final : public HideTrail {
 public:
  void SideActionChanging() override {}
  void Captured(const CapturedWindowList&) override {}
  void Hiding(const TWinInfo& window) override { hiding.push_back(window.Handle); }
  void SurfacesHiding(const HiddenSurfaces&) override {}
  void Shown(WindowHandle window) override { shown.push_back(window); }
  void Ended() override {}
  void Abandoned() override {}
  std::vector<WindowHandle> hiding;
  std::vector<WindowHandle> shown;
};

TEST_F(HideModeTest, HungProgramsWindowsWaitInItsLineAndFollowInOrderOnceItAnswers) {
  const WindowHandle hung1 = Add(L"Hung 1", 200, 0x40000, /*thread=*/7);
  const WindowHandle hung2 = Add(L"Hung 2", 200, 0x40000, 7);
  const WindowHandle fine = Add(L"Fine", 200, 0, 8);
  desktop.HangThread(7);
  RecordingTrail trail;
  hideMode.SetTrail(&trail);

  Hide();

  // Nothing was called on the hung thread, and the pass waited once for all lines.
  const std::wstring f = std::to_wstring(fine);
  EXPECT_EQ(desktop.log(),
            (std::vector<std::wstring>{L"SetExStyle " + f + L" 0x0", L"Post " + f + L" 15",
                                       L"Show " + f + L" 0"}));
  EXPECT_EQ(desktop.callQueues().waits(), 1);
  EXPECT_TRUE(desktop.IsVisible(hung1) && desktop.IsVisible(hung2));
  // Marked before their calls were queued, not when they run.
  EXPECT_EQ(trail.hiding, (std::vector<WindowHandle>{hung1, hung2, fine}));

  desktop.ClearLog();
  desktop.AnswerAgain(7);
  const auto s = [](WindowHandle w) { return std::to_wstring(w); };
  EXPECT_EQ(desktop.log(), (std::vector<std::wstring>{
                               L"SetExStyle " + s(hung1) + L" 0x0", L"Post " + s(hung1) + L" 15",
                               L"Show " + s(hung1) + L" 0", L"SetExStyle " + s(hung2) + L" 0x0",
                               L"Post " + s(hung2) + L" 15", L"Show " + s(hung2) + L" 0"}));
  EXPECT_FALSE(desktop.IsVisible(hung1) || desktop.IsVisible(hung2));
}

TEST_F(HideModeTest, RestoreOfAWindowWhoseHideStillWaitsLinesUpBehindIt) {
  const WindowHandle hung = Add(L"Hung", 200, 0x40000, /*thread=*/7);
  const WindowHandle fine = Add(L"Fine", 200, 0x100, 8);
  desktop.HangThread(7);
  RecordingTrail trail;
  hideMode.SetTrail(&trail);
  Hide();

  hideMode.RestoreHiddenWindows();
  hideMode.End();

  EXPECT_FALSE(hideMode.Active());
  EXPECT_TRUE(desktop.IsVisible(fine));
  EXPECT_EQ(desktop.callQueues().Held(7), 2u);
  // Only the show that ran is reported: the hung one keeps its mark until its show has run.
  EXPECT_EQ(trail.shown, (std::vector<WindowHandle>{fine}));

  desktop.ClearLog();
  desktop.AnswerAgain(7);
  const std::wstring h = std::to_wstring(hung);
  EXPECT_EQ(desktop.log(),
            (std::vector<std::wstring>{L"SetExStyle " + h + L" 0x0", L"Post " + h + L" 15",
                                       L"Show " + h + L" 0", L"SetExStyle " + h + L" 0x40000",
                                       L"Show " + h + L" 8"}));
  EXPECT_TRUE(desktop.IsVisible(hung));
  EXPECT_EQ(desktop.ExStyle(hung), 0x40000u);
}

}  // namespace
}  // namespace dpx
