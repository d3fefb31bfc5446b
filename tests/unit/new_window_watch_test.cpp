#include <gtest/gtest.h>

#include "fakes/fake_hook_platform.h"
#include "fakes/fake_text_services.h"
#include "fakes/recording_hide_steps.h"
#include "fakes/scripted_ui.h"
#include "fakes/simulated_desktop.h"
#include "hide/new_window_watch.h"
#include "hide/toggle_requests.h"

namespace dpx {
namespace {

constexpr ProcessId kDpxProcess = 300;
constexpr ProcessId kOtherProcess = 200;

class NewWindowWatchTest : public ::testing::Test {
 protected:
  NewWindowWatchTest() {
    desktop.AddDrive(L'C', L"\\Device\\HarddiskVolume1");
    desktop.AddProcess(kOtherProcess, {L"\\Device\\HarddiskVolume1\\Tools\\mail.exe", L"", true});
    desktop.AddProcess(kDpxProcess, {L"\\Device\\HarddiskVolume1\\DPX\\dpx.exe", L"", true});
    options.hideNewlyCreatedWindows = true;
  }

  // A window that another program opens and shows: the library reports it as created.
  WindowHandle Appear(const std::wstring& title, ProcessId process = kOtherProcess) {
    const WindowHandle window = desktop.AddWindow({title, L"C", true, 0, 1, process});
    hooks.Deliver(hooks.MessageNumber(L"MY_SHELL_EVENT"), window, shell_code::kWindowCreated);
    return window;
  }
  void BeginHide() {
    hideMode.Begin();
    hideMode.CaptureAndHideAll();
  }
  bool Held(WindowHandle window) const {
    if (!hideMode.Holder()) return false;
    for (const CapturedWindow& row : *hideMode.Holder())
      if (row.info.Handle == window) return true;
    return false;
  }

  fakes::SimulatedDesktop desktop;
  fakes::FakeProgramWindow program{desktop};
  fakes::FakeTextServices text;
  fakes::FakeHookPlatform hooks;
  fakes::ScriptedUi ui;
  Options options;
  std::vector<ListEntry> doNotHide;
  WindowCapture capture{desktop, desktop, program};
  HideMode hideMode{desktop, capture, program, text, doNotHide};
  NewWindowWatch watch{hooks, desktop, program, ui, hideMode, options, kDpxProcess};
};

TEST_F(NewWindowWatchTest, WatchesNewWindowsOnlyWhileTheOptionIsOn) {
  options.hideNewlyCreatedWindows = false;
  watch.FollowOption();
  EXPECT_EQ(hooks.loadAttempts, 0) << "option off at start: nothing loaded";

  options.hideNewlyCreatedWindows = true;
  watch.FollowOption();
  watch.FollowOption();
  EXPECT_EQ(hooks.watchedKinds, std::set<std::int32_t>{watch_kind::kShell});
  EXPECT_EQ(hooks.loadAttempts, 1);

  options.hideNewlyCreatedWindows = false;
  watch.FollowOption();
  EXPECT_TRUE(hooks.watchedKinds.empty());
  EXPECT_FALSE(hooks.LibraryLoaded()) << "turned off: the library is unloaded";

  options.hideNewlyCreatedWindows = true;
  watch.FollowOption();
  BeginHide();
  const WindowHandle window = Appear(L"New mail");
  EXPECT_TRUE(Held(window)) << "turned on again: watching again";
}

TEST_F(NewWindowWatchTest, WindowAppearingInHideModeWithTheOptionIsCapturedAndHidden) {
  watch.FollowOption();
  BeginHide();

  const WindowHandle window = Appear(L"New mail");

  EXPECT_FALSE(desktop.IsVisible(window));
  EXPECT_TRUE(Held(window));
  hideMode.RestoreHiddenWindows();
  EXPECT_TRUE(desktop.IsVisible(window));
}

// Through the toggle's requests, as the program runs it: a window that appears while a pass
// waits on another program is taken after that pass, and only if hide mode is still on.
TEST_F(NewWindowWatchTest, WindowAppearingDuringAPassIsTakenAfterIt) {
  fakes::RecordingHideSteps steps{hideMode};
  const bool ready = true;
  HideToggle toggle{hideMode, steps, options, ready};
  ToggleRequests requests{toggle, hideMode};
  NewWindowWatch queued{
      hooks,       desktop,
      program,     ui,
      hideMode,    options,
      kDpxProcess, [&](std::function<void()> hide) { requests.AfterPass(std::move(hide)); }};
  queued.FollowOption();
  desktop.AddWindow({L"Open before", L"C", true, 0, 2, kOtherProcess});
  WindowHandle during = kNoWindow;
  auto appearOnce = [&] {
    desktop.whileWaiting = nullptr;
    during = Appear(L"During the hide");
    EXPECT_TRUE(desktop.IsVisible(during)) << "not inside the running pass";
  };
  desktop.whileWaiting = appearOnce;
  requests.Press();
  EXPECT_FALSE(desktop.IsVisible(during));
  EXPECT_TRUE(Held(during));

  // During the restore (it sends no WM_NULL; the window appears while its display switch waits):
  // when the pass is over hide mode has ended, and the window stays.
  WindowHandle late = kNoWindow;
  steps.runIn = "RestoreDisplayMode";
  steps.run = [&] {
    steps.run = nullptr;
    late = Appear(L"During the restore");
  };
  requests.Press();
  EXPECT_FALSE(hideMode.Active());
  EXPECT_NE(late, kNoWindow);
  EXPECT_TRUE(desktop.IsVisible(late));
  EXPECT_TRUE(desktop.IsVisible(during));
}

TEST_F(NewWindowWatchTest, WindowsThatMustStayAreLeftOnTheScreen) {
  struct Case {
    const char* why;
    bool option;
    bool hideMode;
    ProcessId process;
    std::wstring title;
  };
  const std::vector<Case> cases{
      {"option cleared", false, true, kOtherProcess, L"New mail"},
      {"outside hide mode", true, false, kOtherProcess, L"New mail"},
      {"DPX's own message box", true, true, kDpxProcess, L"Error"},
      {"not taken by the capture test", true, true, kOtherProcess, L""},
  };
  watch.FollowOption();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    options.hideNewlyCreatedWindows = c.option;
    if (c.hideMode) BeginHide();

    const WindowHandle window = Appear(c.title, c.process);

    EXPECT_TRUE(desktop.IsVisible(window));
    EXPECT_FALSE(Held(window));
    hideMode.RestoreHiddenWindows();
    hideMode.End();
  }
}

TEST_F(NewWindowWatchTest, ProtectedNewWindowIsHeldButStaysOnTheScreen) {
  doNotHide = {ListEntry(text, L"", L"C:\\Tools\\MAIL.EXE", true)};
  watch.FollowOption();
  BeginHide();

  const WindowHandle window = Appear(L"New mail");

  EXPECT_TRUE(desktop.IsVisible(window));
  EXPECT_TRUE(Held(window));
}

TEST_F(NewWindowWatchTest, WithoutTheLibraryTheMessageComesOnceAndHideModeStillWorks) {
  hooks.libraryPresent = false;
  const WindowHandle before = desktop.AddWindow({L"Open before", L"C", true, 0, 1, kOtherProcess});
  watch.FollowOption();
  BeginHide();

  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, kLibraryNotFound);
  EXPECT_FALSE(desktop.IsVisible(before));
  hideMode.RestoreHiddenWindows();
  EXPECT_TRUE(desktop.IsVisible(before));
}

}  // namespace
}  // namespace dpx
