#include <gtest/gtest.h>

#include "app/password_check.h"
#include "app/password_hash.h"
#include "app/program_window_control.h"
#include "fakes/fake_text_services.h"
#include "fakes/portable_password_hashing.h"
#include "fakes/scripted_ui.h"
#include "fakes/simulated_desktop.h"
#include "hide/hide_mode.h"

namespace dpx {
namespace {

// The main window and DPX's application window as two windows of the simulated desktop.
class SimulatedSurface final : public MainWindowSurface {
 public:
  explicit SimulatedSurface(fakes::SimulatedDesktop& desktop) : desktop_(desktop) {
    application = desktop.AddWindow({L"DPX", L"DpxApplication", false});
    main = desktop.AddWindow({L"DPX", L"#32770", false});
  }

  WindowHandle main = kNoWindow;
  WindowHandle application = kNoWindow;
  int shows = 0;

  WindowHandle MainWindow() const override { return main; }
  WindowHandle ApplicationWindow() const override { return application; }
  bool IsShown() const override { return desktop_.Window(main).visible; }
  void Show() override {
    ++shows;
    desktop_.Window(application).visible = true;
    desktop_.Window(main).visible = true;
  }
  void Hide() override {
    desktop_.Window(main).visible = false;
    desktop_.Window(application).visible = false;
  }

 private:
  fakes::SimulatedDesktop& desktop_;
};

class ProgramWindowControlTest : public ::testing::Test {
 protected:
  fakes::SimulatedDesktop desktop;
  SimulatedSurface surface{desktop};
  fakes::ScriptedPrompt prompt;
  fakes::ScriptedUi ui;
  fakes::PortablePasswordHashing hashing;
  // The application password in memory: tests put a hash or an earlier version's plain text here.
  std::wstring password;
  ProgramWindowControl program{surface, prompt, ui, PasswordVerifier{password, hashing}};
};

TEST_F(ProgramWindowControlTest, HidingNeverAsksEvenWithAPassword) {
  password = L"secret";
  surface.Show();
  program.ToggleProgramWindow(true);
  EXPECT_FALSE(program.IsMainWindowVisible());
  EXPECT_FALSE(desktop.IsVisible(surface.application));
  EXPECT_TRUE(prompt.emptiedField.empty());
}

TEST_F(ProgramWindowControlTest, WithoutAPasswordShowsAtOnce) {
  program.ToggleProgramWindow(true);
  EXPECT_TRUE(program.IsMainWindowVisible());
  EXPECT_TRUE(desktop.IsVisible(surface.application));
  EXPECT_TRUE(prompt.emptiedField.empty());
}

TEST_F(ProgramWindowControlTest, APasswordIsAskedEachTimeWithAnEmptyFieldUntilRight) {
  password = HashPassword(L"Secret", hashing);
  prompt.entries = {L"secret", L"Secret ", L"Secret"};
  program.ToggleProgramWindow(true);
  EXPECT_TRUE(program.IsMainWindowVisible());
  EXPECT_EQ(prompt.emptiedField, (std::vector<bool>{true, true, true}));
  ASSERT_EQ(ui.shown.size(), 2u);
  EXPECT_EQ(ui.shown[0].text, L"Invalid password\n\rPlease check your spelling and try again!");
  EXPECT_EQ(ui.shown[0].kind, MessageKind::kError);
  EXPECT_EQ(ui.shown[0].buttons, MessageButtons::kOk);

  program.ToggleProgramWindow(true);  // hide
  prompt.entries = {L"Secret"};
  program.ToggleProgramWindow(true);  // asked again
  EXPECT_TRUE(program.IsMainWindowVisible());
  EXPECT_EQ(prompt.emptiedField.size(), 4u);
}

TEST_F(ProgramWindowControlTest, CancelLeavesTheWindowHidden) {
  password = L"pw";
  prompt.entries = {L"wrong", std::nullopt};
  program.ToggleProgramWindow(true);
  EXPECT_FALSE(program.IsMainWindowVisible());
  EXPECT_EQ(surface.shows, 0);
  EXPECT_EQ(ui.shown.size(), 1u);
}

TEST_F(ProgramWindowControlTest, ShowingWithoutAskingSkipsThePassword) {
  password = L"pw";
  program.ToggleProgramWindow(false);
  EXPECT_TRUE(program.IsMainWindowVisible());
  EXPECT_TRUE(prompt.emptiedField.empty());
}

TEST_F(ProgramWindowControlTest, KnowsItsTwoWindowsAndNoOther) {
  EXPECT_TRUE(program.IsMainWindow(surface.main));
  EXPECT_FALSE(program.IsMainWindow(surface.application));
  EXPECT_TRUE(program.IsApplicationWindow(surface.application));
  EXPECT_FALSE(program.IsApplicationWindow(surface.main));
  EXPECT_FALSE(program.IsMainWindow(kNoWindow));
  EXPECT_FALSE(program.IsApplicationWindow(kNoWindow));
}

// The start-up gate, with a hashed password and with one an earlier version stored as typed.
class StartupPasswordGateTest : public ::testing::TestWithParam<bool> {
 protected:
  StartupPasswordGateTest() : password(GetParam() ? HashPassword(L"right", hashing) : L"right") {}

  fakes::PortablePasswordHashing hashing;
  fakes::ScriptedPrompt prompt;
  fakes::ScriptedUi ui;
  std::wstring password;
};

TEST_P(StartupPasswordGateTest, KeepsTheWrongEntryBetweenTries) {
  prompt.entries = {L"wrong", L"Right", L"right"};
  EXPECT_TRUE(AskForPassword(prompt, ui, PasswordVerifier{password, hashing},
                             PromptField::kKeptBetweenTries));
  EXPECT_EQ(prompt.emptiedField, (std::vector<bool>{false, false, false}));
  ASSERT_EQ(ui.shown.size(), 2u);
  EXPECT_EQ(ui.shown[1].text, L"Invalid password\n\rPlease check your spelling and try again!");
  EXPECT_EQ(ui.shown[1].kind, MessageKind::kError);
}

TEST_P(StartupPasswordGateTest, CancelAfterAWrongEntryRefuses) {
  prompt.entries = {L"wrong", std::nullopt};
  EXPECT_FALSE(AskForPassword(prompt, ui, PasswordVerifier{password, hashing},
                              PromptField::kKeptBetweenTries));
  EXPECT_EQ(ui.shown.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(HashedAndPlain, StartupPasswordGateTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Hashed" : "PlainText"; });

// Hide mode with DPX's own window on the desktop: the capture takes the application window, never
// the main window, and the main window goes and comes back with the desktop.
class OwnWindowInHideModeTest : public ProgramWindowControlTest {
 protected:
  OwnWindowInHideModeTest() {
    editor = desktop.AddWindow({L"Editor"});
    password = L"pw";  // restoring must never ask for it
  }

  fakes::FakeTextServices text;
  std::vector<ListEntry> doNotHide;
  WindowCapture capture{desktop, desktop, program};
  HideMode hideMode{desktop, capture, program, text, doNotHide};
  WindowHandle editor;
};

TEST_F(OwnWindowInHideModeTest, AShownMainWindowHidesWithTheDesktopAndReturnsWithoutPassword) {
  surface.Show();
  hideMode.Begin();
  hideMode.CaptureAndHideAll();

  std::vector<WindowHandle> held;
  for (const auto& row : *hideMode.Holder()) held.push_back(row.info.Handle);
  EXPECT_EQ(held, (std::vector<WindowHandle>{surface.application, editor}));
  EXPECT_FALSE(desktop.IsVisible(surface.main));
  EXPECT_FALSE(desktop.IsVisible(surface.application));
  EXPECT_FALSE(desktop.IsVisible(editor));

  hideMode.RestoreHiddenWindows();
  hideMode.End();
  EXPECT_TRUE(desktop.IsVisible(surface.main));
  EXPECT_TRUE(desktop.IsVisible(surface.application));
  EXPECT_TRUE(desktop.IsVisible(editor));
  EXPECT_TRUE(prompt.emptiedField.empty());
  EXPECT_EQ(surface.shows, 2);
}

TEST_F(OwnWindowInHideModeTest, AHiddenMainWindowStaysHidden) {
  hideMode.Begin();
  hideMode.CaptureAndHideAll();
  ASSERT_EQ(hideMode.Holder()->size(), 1u);
  hideMode.RestoreHiddenWindows();
  hideMode.End();
  EXPECT_FALSE(desktop.IsVisible(surface.main));
  EXPECT_FALSE(desktop.IsVisible(surface.application));
  EXPECT_TRUE(desktop.IsVisible(editor));
  EXPECT_EQ(surface.shows, 0);
}

}  // namespace
}  // namespace dpx
