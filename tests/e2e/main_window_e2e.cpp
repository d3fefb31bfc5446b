// The real dpx.exe under Wine: its window, the quiet start, the single instance, and the end
// through "&Terminate" that writes the lists and the settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "dpx_windows.h"
#include "harness.h"

namespace dpx::e2e {
namespace {

namespace fs = std::filesystem;

bool SameImage(const fs::path& a, const fs::path& b) {
  int status = 0;
  Run("compare -metric AE '" + a.string() + "' '" + b.string() + "' null:", &status);
  return status == 0;
}

class MainWindowE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    dataFolder = fs::path(AppDataFolder()) / "Orvalen" / "DPX";
    fs::remove_all(dataFolder);  // a fresh data folder for every test
  }

  Program StartDpx(const std::vector<std::string>& args = {}) {
    return StartWindowsProgram("dpx.exe", args);
  }

  std::string WaitForMainWindow() {
    std::string window;
    EXPECT_TRUE(WaitUntil([&] { return !(window = ShownMainWindow()).empty(); }))
        << "the main window did not appear";
    return window;
  }

  fs::path dataFolder;
};

TEST_F(MainWindowE2e, StartShowsTheMainWindowAndEveryPage) {
  Program dpx = StartDpx();
  const std::string main = WaitForMainWindow();
  ASSERT_FALSE(main.empty());
  const fs::path shots = ScreenshotFolder();
  fs::path previous = shots / "page-windows.png";
  std::this_thread::sleep_for(500ms);
  Screenshot(previous.string());

  // Each step must change what the screen shows; its screenshot is kept for a person to check.
  struct Step {
    const char* name;
    std::string action;  // the xdotool command that selects the page
  };
  // The page buttons by their mnemonics; the strip buttons of "&Extra Settings" have none and
  // are clicked where the dialog layout puts them (window-relative pixels at the default DPI).
  auto click = [&main](int x, int y) {
    return "mousemove --window " + main + " " + std::to_string(x) + " " + std::to_string(y) +
           " click 1";
  };
  const Step steps[] = {
      {"extra-settings-general", "windowfocus --sync " + main + " key alt+e"},
      {"extra-settings-shortcuts", click(62, 141)},
      {"extra-settings-sound", click(62, 173)},
      {"extra-settings-display", click(62, 206)},
      {"about", "windowfocus --sync " + main + " key alt+a"},
      {"windows-again", "windowfocus --sync " + main + " key alt+w"},
  };
  for (const Step& step : steps) {
    const fs::path image = shots / (std::string("page-") + step.name + ".png");
    bool changed = false;
    for (int attempt = 0; attempt < 5 && !changed; ++attempt) {
      e2e::Run("xdotool " + step.action);
      std::this_thread::sleep_for(700ms);
      Screenshot(image.string());
      changed = !SameImage(previous, image);
    }
    EXPECT_TRUE(changed) << step.name << " did not change the window";
    previous = image;
  }
  EXPECT_TRUE(dpx.Running());
}

TEST_F(MainWindowE2e, QuietStartShowsNoWindow) {
  Program dpx = StartDpx({"/q"});
  // The data folder appears once the program has started; the window must not follow.
  ASSERT_TRUE(WaitUntil([&] { return fs::exists(dataFolder); }));
  std::this_thread::sleep_for(2s);
  EXPECT_TRUE(dpx.Running());
  EXPECT_FALSE(XWindowShown("DPX"));
}

TEST_F(MainWindowE2e, ASecondStartIsRefusedAndLeavesTheFirstAsItWas) {
  Program first = StartDpx();
  const std::string main = WaitForMainWindow();
  ASSERT_FALSE(main.empty());
  Program second = StartDpx({"/Q"});
  const std::string warning = WaitForWindow("Warning");
  ASSERT_FALSE(warning.empty()) << "no \"This application is already started!\" box";
  Screenshot((ScreenshotFolder() / "already-started.png").string());
  ASSERT_TRUE(Answer(warning, "Return"));
  EXPECT_TRUE(WaitUntil([&] { return !second.Running(); }));
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(ShownMainWindow(), main);
}

TEST_F(MainWindowE2e, HideRemindsOfTheHotKeyThenSavesAndHides) {
  Program dpx = StartDpx();
  const std::string main = WaitForMainWindow();
  ASSERT_FALSE(main.empty());
  ASSERT_TRUE(PressUntil(main, "alt+h", [] { return XWindowShown("Information"); }));
  const std::string reminder = WaitForWindow("Information");
  ASSERT_FALSE(reminder.empty());
  Screenshot((ScreenshotFolder() / "hide-reminder.png").string());
  EXPECT_FALSE(fs::exists(dataFolder / "dpx.dat")) << "saved before the reminder was answered";
  ASSERT_TRUE(Answer(reminder, "Return"));
  EXPECT_TRUE(WaitUntil([] { return !XWindowShown("DPX"); })) << "the window stayed shown";
  EXPECT_TRUE(fs::exists(dataFolder / "ExList.Dat"));
  EXPECT_TRUE(fs::exists(dataFolder / "BttList.Dat"));
  EXPECT_TRUE(fs::exists(dataFolder / "dpx.dat"));
  EXPECT_TRUE(dpx.Running());
}

TEST_F(MainWindowE2e, TerminateAsksThenSavesBothListsAndTheSettingsAndEnds) {
  Program dpx = StartDpx();
  const std::string main = WaitForMainWindow();
  ASSERT_FALSE(main.empty());

  // Cancel: nothing is written and the program goes on.
  ASSERT_TRUE(PressUntil(main, "alt+t", [] { return XWindowShown("Warning"); }));
  std::string question = WaitForWindow("Warning");
  ASSERT_FALSE(question.empty());
  Screenshot((ScreenshotFolder() / "terminate-question.png").string());
  ASSERT_TRUE(Answer(question, "Escape"));
  std::this_thread::sleep_for(500ms);
  EXPECT_TRUE(dpx.Running());
  EXPECT_FALSE(fs::exists(dataFolder / "dpx.dat"));

  // Yes: the close query saves, the program ends.
  ASSERT_TRUE(PressUntil(main, "alt+t", [] { return XWindowShown("Warning"); }));
  question = WaitForWindow("Warning");
  ASSERT_FALSE(question.empty());
  ASSERT_TRUE(Answer(question, "Return"));  // "Yes" is the default button
  EXPECT_NE(dpx.Wait(15s), -1) << "dpx.exe did not end";
  EXPECT_TRUE(fs::exists(dataFolder / "ExList.Dat"));
  EXPECT_TRUE(fs::exists(dataFolder / "BttList.Dat"));
  const std::string settings = FileText(dataFolder / "dpx.dat");
  for (const char* line : {"[Sounds]", "ModifyVolume=1", "[SpecialWindows]", "Tray=1",
                           "[HOTKEY_App]", "Key=Ctrl+\\", "[MouseShortcut_SSaver]", "Corner=1"})
    EXPECT_NE(settings.find(line), std::string::npos) << line << " missing in dpx.dat";
}

// Hide mode takes DPX's application window (never the main window itself) and brings the main
// window back at restore only when it was shown at the hide.
class OwnWindowInHideModeE2e : public MainWindowE2e {
 protected:
  void SetUp() override {
    MainWindowE2e::SetUp();
    editor.emplace(
        StartWindowsProgram("tests/win32/dpx_test_windows.exe", {"--window", "Editor One"}));
    editorWindow = WaitForWindow("Editor One");
    ASSERT_FALSE(editorWindow.empty());
  }

  // Hot keys reach DPX through any window of the same Wine session, also a hidden one, when
  // sent to it without focusing it (a hidden window cannot take the focus).
  bool Press(const std::string& keys, const std::function<bool()>& done) {
    for (int attempt = 0; attempt < 5; ++attempt) {
      PressKey(keys, editorWindow);
      if (WaitUntil(done, 2s)) return true;
    }
    return false;
  }

  std::optional<Program> editor;
  std::string editorWindow;
};

TEST_F(OwnWindowInHideModeE2e, AShownMainWindowGoesWithTheDesktopAndComesBack) {
  Program dpx = StartDpx();
  ASSERT_FALSE(WaitForMainWindow().empty());
  ASSERT_TRUE(Press("ctrl+grave", [] { return !XWindowShown("Editor One"); }));
  // The pass hides DPX's own windows after the editor; X unmaps each a moment after its hide.
  EXPECT_TRUE(WaitUntil([] { return !XWindowShown("DPX"); }, 5s))
      << "the main window or its application window stayed";
  Screenshot((ScreenshotFolder() / "hide-mode.png").string());

  ASSERT_TRUE(Press("ctrl+grave", [] { return XWindowShown("Editor One"); }));
  EXPECT_TRUE(WaitUntil([] { return !ShownMainWindow().empty(); }))
      << "the main window did not come back";
  EXPECT_TRUE(WaitUntil([] { return VisibleXWindows("DPX").size() == 2u; }, 5s))
      << "the main window and its application window";
}

TEST_F(OwnWindowInHideModeE2e, AHiddenMainWindowStaysHiddenAtRestore) {
  Program dpx = StartDpx();
  ASSERT_FALSE(WaitForMainWindow().empty());
  ASSERT_TRUE(Press("ctrl+backslash", [] { return !XWindowShown("DPX"); }));
  ASSERT_TRUE(Press("ctrl+grave", [] { return !XWindowShown("Editor One"); }));
  ASSERT_TRUE(Press("ctrl+grave", [] { return XWindowShown("Editor One"); }));
  std::this_thread::sleep_for(1s);
  EXPECT_FALSE(XWindowShown("DPX"));
  // The program-window hot key still brings it up (no password is set).
  EXPECT_TRUE(Press("ctrl+backslash", [] { return !ShownMainWindow().empty(); }));
}

}  // namespace
}  // namespace dpx::e2e
