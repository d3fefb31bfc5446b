// The real dpx.exe under Wine, driven by real key presses and pointer moves from outside: the
// three hot keys, a hot key that another program holds, the capture fields of the Shortcuts page,
// the hide corner, the screen-saver command and the "Mouse Shortcut" dialog.
#include <gtest/gtest.h>

#include <algorithm>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "dpx_windows.h"
#include "harness.h"
#include "session_state.h"

namespace dpx::e2e {
namespace {

namespace fs = std::filesystem;

// Another program's window that a hide takes away, and one the Do not hide list keeps, through
// which the keys are sent (hot keys need a shown window of the session to arrive).
constexpr char kPrivateWindow[] = "Private Notes";
constexpr char kKeyTarget[] = "Key Target";

constexpr Place kGeneralStripButton{20, 108};
constexpr Place kShortcutsStripButton{20, 141};
constexpr Place kHideField{291, 143};
constexpr Place kProgramField{291, 211};
constexpr Place kHideCornerButton{453, 143};
constexpr Place kScreenSaverCornerButton{453, 279};

// The screen-saver command's two calls as Wine's relay trace shows them.
constexpr char kLockCall[] = "Call user32.LockWorkStation()";
constexpr char kScreenSaverPost[] = ",00000112,0000f140,00000000)";  // WM_SYSCOMMAND, SC_SCREENSAVE

class TriggersE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    dataFolder = FreshDataFolder();
    WriteDoNotHideList(dataFolder, {kKeyTarget});
    target.emplace(
        StartWindowsProgram("tests/win32/dpx_test_windows.exe", {"--window", kKeyTarget}));
    notes.emplace(
        StartWindowsProgram("tests/win32/dpx_test_windows.exe", {"--window", kPrivateWindow}));
    targetWindow = WaitForWindow(kKeyTarget);
    ASSERT_FALSE(targetWindow.empty());
    ASSERT_FALSE(WaitForWindow(kPrivateWindow).empty());
  }

  // Returns once the program is up: its main window exists, shown or not.
  void StartDpx(const std::vector<std::string>& args = {}) {
    dpx.emplace(StartWindowsProgram("dpx.exe", args));
    ASSERT_TRUE(WaitForDpxWindow()) << "dpx.exe made no main window";
  }

  std::string WaitForMainWindow() {
    std::string window;
    EXPECT_TRUE(WaitUntil([&] { return !(window = ShownMainWindow()).empty(); }))
        << "the main window did not appear";
    return window;
  }

  // Sends keys through the key target and waits until DPX has answered.
  bool Press(const std::string& keys, const std::function<bool()>& done) {
    return PressAndWait(keys, targetWindow, done);
  }
  static bool NotesShown() { return XWindowShown(kPrivateWindow); }
  static bool NotesHidden() { return !XWindowShown(kPrivateWindow); }

  // A key that must not act: pressed once, then nothing changes for a while.
  bool PressChangesNothing(const std::string& keys) {
    PressKey(keys, targetWindow);
    std::this_thread::sleep_for(2s);
    return NotesShown();
  }

  static bool OpenShortcutsPage(const std::string& main) {
    return OpenExtraSettingsPage(main, kShortcutsStripButton);
  }

  // "&Terminate" and Yes; the settings file DPX wrote at its end.
  std::string TerminateAndReadSettings(const std::string& main) {
    Click(main, kWindowsButton);  // out of any capture field, where Alt+T would be captured
    EXPECT_TRUE(PressUntil(main, "alt+t", [] { return XWindowShown("Warning"); }));
    EXPECT_TRUE(Answer(WaitForWindow("Warning"), "Return"));
    EXPECT_NE(dpx->Wait(15s), -1) << "dpx.exe did not end";
    return FileText(dataFolder / "dpx.dat");
  }

  fs::path dataFolder;
  std::optional<Program> target;
  std::optional<Program> notes;
  std::optional<Program> dpx;
  std::string targetWindow;
};

TEST_F(TriggersE2e, HideHotKeyHidesAnotherProgramsWindowAndASecondPressRestoresIt) {
  StartDpx({"/q"});
  ASSERT_TRUE(Press("ctrl+grave", NotesHidden));
  EXPECT_TRUE(XWindowShown(kKeyTarget)) << "the Do not hide list was not kept";
  Screenshot((ScreenshotFolder() / "hot-key-hide-mode.png").string());
  ASSERT_TRUE(Press("ctrl+grave", NotesShown));
  EXPECT_TRUE(dpx->Running());
}

TEST_F(TriggersE2e, ProgramHotKeyHidesAndShowsTheMainWindow) {
  StartDpx();
  ASSERT_FALSE(WaitForMainWindow().empty());
  ASSERT_TRUE(Press("ctrl+backslash", [] { return ShownMainWindow().empty(); }));
  EXPECT_TRUE(NotesShown()) << "the program hot key hid the desktop";
  ASSERT_TRUE(Press("ctrl+backslash", [] { return !ShownMainWindow().empty(); }));
}

TEST_F(TriggersE2e, HotKeyHeldByAnotherProgramIsReportedAtStartAndTheOtherTwoStillWork) {
  // Ctrl (2) and the grave accent key (192): DPX's default hide hot key.
  Program holder = StartWindowsProgram("tests/win32/dpx_test_windows.exe",
                                       {"--window", "Key Holder", "--hot-key", "2:192"});
  ASSERT_TRUE(WaitUntil([&] { return holder.Output().find("hot key held") != std::string::npos; }));

  StartDpx({"/q"});  // the failure opens the window even after a quiet start
  const std::string box = WaitForWindow("DPX");
  ASSERT_FALSE(box.empty());
  // The box's text as a third program reads it; its lines are broken by "\n\r".
  std::string message;
  ASSERT_TRUE(WaitUntil([&] {
    Program probe = StartWindowsProgram("tests/win32/dpx_window_probe.exe", {"texts:DPX"});
    probe.Wait(20s);
    message = probe.Output();
    return message.find("Unable to assign shortcut: ") != std::string::npos;
  }));
  const std::string firstLine = "text: Unable to assign shortcut: Ctrl+`";
  const auto at = message.find(firstLine);
  ASSERT_NE(at, std::string::npos);
  EXPECT_NE(std::string("\r\n").find(message.at(at + firstLine.size())), std::string::npos)
      << "the hot key text is not the whole first line";
  EXPECT_NE(message.find("The shortcut is in use!"), std::string::npos);
  EXPECT_NE(message.find("Please try a different key combination."), std::string::npos);
  Screenshot((ScreenshotFolder() / "hot-key-in-use.png").string());
  ASSERT_TRUE(Answer(box, "Return"));

  const std::string main = WaitForMainWindow();
  ASSERT_FALSE(main.empty());
  EXPECT_TRUE(WaitUntil([&] { return LooksPressed(main, kShortcutsStripButton); }, 5s))
      << "not on the Shortcuts page";
  // Each button repaints on its own: the strip's may be drawn before the page button's.
  EXPECT_TRUE(WaitUntil([&] { return LooksPressed(main, kExtraSettingsButton); }, 5s))
      << "not on the extra settings page";
  EXPECT_FALSE(LooksPressed(main, kGeneralStripButton));
  Screenshot((ScreenshotFolder() / "hot-key-in-use-shortcuts-page.png").string());

  // The taken key reaches its holder, not DPX; the two others are DPX's.
  EXPECT_TRUE(PressChangesNothing("ctrl+grave"));
  EXPECT_TRUE(
      WaitUntil([&] { return holder.Output().find("hot key pressed") != std::string::npos; }));
  EXPECT_TRUE(Press("ctrl+backslash", [] { return ShownMainWindow().empty(); }));
  EXPECT_TRUE(Press("ctrl+backslash", [] { return !ShownMainWindow().empty(); }));
  // Ctrl+F12 (2, 123) is DPX's: another program cannot have it.
  Program second = StartWindowsProgram("tests/win32/dpx_test_windows.exe",
                                       {"--window", "Second Holder", "--hot-key", "2:123"});
  EXPECT_TRUE(WaitUntil([&] {
    return second.Output().find("hot key refused") != std::string::npos;
  })) << second.Output();
}

TEST_F(TriggersE2e, CtrlF5PressedInTheHideFieldIsShownAndIsTheHotKeyAtOnce) {
  StartDpx();
  const std::string main = WaitForMainWindow();
  ASSERT_FALSE(main.empty());
  ASSERT_TRUE(OpenShortcutsPage(main));
  // A letter alone is refused; the combination is taken and registered at its release. Typed
  // again until the field shows it: under Wine a click does not always give the focus at once.
  const auto fieldShowsTheKey = [] {
    const std::vector<std::string> texts = WindowTexts("DPX");
    return std::find(texts.begin(), texts.end(), "Ctrl+F5") != texts.end();
  };
  ASSERT_TRUE(WaitUntil(
      [&] {
        Click(main, kHideField);
        std::this_thread::sleep_for(500ms);
        e2e::Run("xdotool key --delay 100 a ctrl+F5");
        return WaitUntil(fieldShowsTheKey, 2s);
      },
      30s))
      << "the field never showed Ctrl+F5";
  Screenshot((ScreenshotFolder() / "capture-field-ctrl-f5.png").string());
  Click(main, kWindowsButton);  // the focus leaves the field, so hot keys act again

  ASSERT_TRUE(Press("ctrl+F5", NotesHidden)) << "the new key does not hide";
  ASSERT_TRUE(Press("ctrl+F5", NotesShown));
  EXPECT_TRUE(PressChangesNothing("ctrl+grave")) << "the old key still hides";
  const std::string settings = TerminateAndReadSettings(main);
  EXPECT_EQ(SettingsValue(settings, "HOTKEY_Windows", "Key"), "Ctrl+F5");
  EXPECT_EQ(SettingsValue(settings, "HOTKEY_App", "Key"), "Ctrl+\\");
}

TEST_F(TriggersE2e, HotKeyPressedWhileACaptureFieldHasTheFocusDoesNothing) {
  StartDpx();
  const std::string main = WaitForMainWindow();
  ASSERT_FALSE(main.empty());
  ASSERT_TRUE(OpenShortcutsPage(main));
  Click(main, kProgramField);
  std::this_thread::sleep_for(500ms);
  EXPECT_TRUE(PressChangesNothing("ctrl+grave")) << "the hide hot key acted in a capture field";
  EXPECT_FALSE(ShownMainWindow().empty());

  Click(main, kWindowsButton);
  ASSERT_TRUE(Press("ctrl+grave", NotesHidden)) << "the hot key is not live outside the field";
  ASSERT_TRUE(Press("ctrl+grave", NotesShown));
  // The press reached DPX as a hot key, never as a key of the field.
  EXPECT_EQ(SettingsValue(TerminateAndReadSettings(main), "HOTKEY_App", "Key"), "Ctrl+\\");
}

TEST_F(TriggersE2e, PointerRestingInTheHideCornerHidesAfterTheHoverTime) {
  WriteSettings(dataFolder, {"[MouseShortcut_Windows]", "Enabled=1", "ZoneSize=20",
                             "HoverInterval=2000", "Corner=0"});
  e2e::Run("xdotool mousemove 600 400");
  StartDpx({"/q"});
  // Up and running: its hot key works.
  ASSERT_TRUE(Press("ctrl+grave", NotesHidden));
  ASSERT_TRUE(Press("ctrl+grave", NotesShown));

  e2e::Run("xdotool mousemove 5 5");
  const auto movedAt = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(1200ms);
  EXPECT_TRUE(NotesShown()) << "hidden before the hover time";
  EXPECT_TRUE(WaitUntil(NotesHidden, 8s)) << "the corner did not hide";
  EXPECT_GE(std::chrono::steady_clock::now() - movedAt, 2s);
  e2e::Run("xdotool mousemove 600 400");
  ASSERT_TRUE(Press("ctrl+grave", NotesShown));
}

// The screen-saver command, seen through Wine's relay trace of dpx.exe's calls into user32: the
// lock first when the option is on, then WM_SYSCOMMAND with SC_SCREENSAVE posted to the desktop.
class ScreenSaverCommandE2e : public TriggersE2e {
 protected:
  void SetUp() override {
    TriggersE2e::SetUp();
    SetUserRegistryValue("Software\\Wine\\Debug", "RelayInclude",
                         "user32.LockWorkStation;user32.PostMessageW");
  }
  void TearDown() override { DeleteUserRegistryValue("Software\\Wine\\Debug", "RelayInclude"); }

  // dpx.exe with the relay trace on; the trace goes to its output.
  void StartTracedDpx() {
    const std::string sessionDebug = std::getenv("WINEDEBUG") ? std::getenv("WINEDEBUG") : "";
    ::setenv("WINEDEBUG", "+relay", 1);
    dpx.emplace(StartWindowsProgram("dpx.exe", {"/q"}));
    ::setenv("WINEDEBUG", sessionDebug.c_str(), 1);
    ASSERT_TRUE(WaitForDpxWindow()) << "dpx.exe made no main window";
  }
  // The screen saver was asked to start.
  bool CommandRan() {
    const std::string output = dpx->Output();
    return output.find(kScreenSaverPost) != std::string::npos;
  }
};

TEST_F(ScreenSaverCommandE2e, HotKeyLocksTheWorkstationThenStartsTheScreenSaver) {
  StartTracedDpx();
  ASSERT_TRUE(Press("ctrl+F12", [&] { return CommandRan(); }));
  const std::string output = dpx->Output();
  const auto lock = output.find(kLockCall);
  ASSERT_NE(lock, std::string::npos) << "no lock with the option on";
  EXPECT_LT(lock, output.find(kScreenSaverPost)) << "the lock must come first";
  EXPECT_TRUE(NotesShown()) << "the command touched hide mode";
}

TEST_F(ScreenSaverCommandE2e, ScreenSaverCornerStartsOnlyTheScreenSaverWithTheLockOff) {
  WriteSettings(dataFolder, {"[SSaver]", "LockWorkstation=0", "[MouseShortcut_SSaver]", "Enabled=1",
                             "ZoneSize=20", "HoverInterval=0", "Corner=1"});
  e2e::Run("xdotool mousemove 600 400");
  StartTracedDpx();
  ASSERT_TRUE(Press("ctrl+grave", NotesHidden));  // up and running
  ASSERT_TRUE(Press("ctrl+grave", NotesShown));
  EXPECT_FALSE(CommandRan());

  const int screenWidth = std::stoi(ScreenMode());  // "1920x1080"
  e2e::Run("xdotool mousemove " + std::to_string(screenWidth - 5) + " 5");
  EXPECT_TRUE(WaitUntil([&] { return CommandRan(); }, 5s)) << "the corner did not fire";
  e2e::Run("xdotool mousemove 600 400");
  EXPECT_EQ(dpx->Output().find(kLockCall), std::string::npos) << "locked with the option off";
}

TEST_F(TriggersE2e, CornerButtonsOpenTheMouseShortcutDialogWhoseOkKeepsItsValues) {
  StartDpx();
  const std::string main = WaitForMainWindow();
  ASSERT_FALSE(main.empty());
  ASSERT_TRUE(OpenShortcutsPage(main));

  // The screen-saver corner: bottom-right, the hover time typed and stepped, a zone too large.
  Click(main, kScreenSaverCornerButton);
  const std::string dialog = WaitForWindow("Mouse Shortcut");
  ASSERT_FALSE(dialog.empty());
  std::this_thread::sleep_for(500ms);
  Screenshot((ScreenshotFolder() / "mouse-shortcut-dialog.png").string());
  // From the top-left box: three tabs to the bottom-right box, one more to the hover time (the
  // field's text is then selected), one to the zone size, one to "Ok".
  e2e::Run("xdotool windowfocus --sync " + dialog +
           " key --delay 80 Tab Tab Tab space Tab 2 5 0 0 Up Tab 9 9 9 Tab");
  std::this_thread::sleep_for(500ms);
  Screenshot((ScreenshotFolder() / "mouse-shortcut-dialog-edited.png").string());
  ASSERT_TRUE(Answer(dialog, "Return"));

  // The hide corner: switched on, then "Cancel" lets its button up again.
  Click(main, kHideCornerButton);
  const std::string second = WaitForWindow("Mouse Shortcut");
  ASSERT_FALSE(second.empty());
  ASSERT_TRUE(Answer(second, "Escape"));
  std::this_thread::sleep_for(500ms);
  Screenshot((ScreenshotFolder() / "corner-buttons-after-ok-and-cancel.png").string());

  // The buttons' Down states are what the settings file receives.
  const std::string settings = TerminateAndReadSettings(main);
  EXPECT_EQ(SettingsValue(settings, "MouseShortcut_SSaver", "Enabled"), "1");
  EXPECT_EQ(SettingsValue(settings, "MouseShortcut_SSaver", "Corner"), "3");
  EXPECT_EQ(SettingsValue(settings, "MouseShortcut_SSaver", "HoverInterval"), "2600");
  EXPECT_EQ(SettingsValue(settings, "MouseShortcut_SSaver", "ZoneSize"), "200");
  EXPECT_EQ(SettingsValue(settings, "MouseShortcut_Windows", "Enabled"), "0");
  EXPECT_EQ(SettingsValue(settings, "MouseShortcut_Windows", "HoverInterval"), "500");
}

}  // namespace
}  // namespace dpx::e2e
