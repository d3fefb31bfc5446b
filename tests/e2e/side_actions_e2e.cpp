// The real dpx.exe under Wine with its side actions switched on, checked from outside: the
// registry value "Wallpaper" with `wine reg query`, the X screen's mode with xrandr, the mode menu
// and the display mode test with its countdown, the sound test's hold on "Modify sound". Each test
// puts the display mode and the registry value back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "dpx_windows.h"
#include "harness.h"
#include "session_state.h"

namespace dpx::e2e {
namespace {

namespace fs = std::filesystem;

constexpr char kPrivateWindow[] = "Private Notes";
constexpr char kKeyTarget[] = "Key Target";  // kept by the Do not hide list; keys go through it
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kTestedSize[] = "1024x768";

// More places in the main window, from the dialog layout.
constexpr Place kSoundStripButton{20, 173};
constexpr Place kDisplayStripButton{20, 206};
constexpr Place kTestSoundButton{522, 195};
constexpr Place kListButton{401, 153};
constexpr Place kTestResolutionButton{223, 185};

// The number in "Original mode will be restored in N seconds."; -1 for another text.
int CountdownOf(const std::vector<std::string>& texts) {
  const std::regex countdown("^Original mode will be restored in ([0-9]+) seconds\\.$");
  std::smatch match;
  for (const std::string& text : texts)
    if (std::regex_match(text, match, countdown)) return std::stoi(match[1]);
  return -1;
}

class SideActionsE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDisplay();
    defaultMode = ScreenMode();
    savedWallpaper = UserRegistryValue(kDesktopKey, "Wallpaper");
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

  void TearDown() override {
    dpx.reset();
    ResetDisplay();
    if (savedWallpaper)
      SetUserRegistryValue(kDesktopKey, "Wallpaper", *savedWallpaper);
    else
      DeleteUserRegistryValue(kDesktopKey, "Wallpaper");
  }

  // Returns once the program is up: its main window exists, shown or not.
  void StartDpx(const std::vector<std::string>& args = {}) {
    dpx.emplace(StartWindowsProgram("dpx.exe", args));
    ASSERT_TRUE(WaitForDpxWindow()) << "dpx.exe made no main window";
  }

  // Sends keys through the key target and waits until DPX has answered. A display switch comes
  // before the windows are hidden and can take seconds under Wine: a second press too soon would
  // undo the first. Unanswered, it says whether dpx.exe still runs: Wine ends a program on some
  // X errors, a display switch among them.
  ::testing::AssertionResult Press(const std::string& keys, const std::function<bool()>& done) {
    if (PressAndWait(keys, targetWindow, done, 20s)) return ::testing::AssertionSuccess();
    if (!dpx) return ::testing::AssertionFailure() << "dpx.exe was not started";
    if (dpx->Running()) return ::testing::AssertionFailure() << "dpx.exe is running";
    const std::string output = dpx->Output();
    return ::testing::AssertionFailure()
           << "dpx.exe ended with " << dpx->Wait(0ms) << ", its output ending with:\n"
           << output.substr(output.size() - std::min<std::size_t>(output.size(), 600));
  }
  ::testing::AssertionResult Hide() {
    return Press("ctrl+grave", [] { return !XWindowShown(kPrivateWindow); });
  }
  ::testing::AssertionResult Restore() {
    return Press("ctrl+grave", [] { return XWindowShown(kPrivateWindow); });
  }
  // Both sides: a key pressed before Wine has taken in a switch would restore from a stale mode.
  static bool ScreenBecomes(const std::string& mode) { return DisplayBecomes(mode); }

  std::string OpenSubPage(Place stripButton) {
    std::string main;
    EXPECT_TRUE(WaitUntil([&] { return !(main = ShownMainWindow()).empty(); }));
    if (main.empty()) return main;
    EXPECT_TRUE(OpenExtraSettingsPage(main, stripButton));
    return main;
  }

  std::string TerminateAndReadSettings(const std::string& main) {
    Click(main, kWindowsButton);
    EXPECT_TRUE(PressUntil(main, "alt+t", [] { return XWindowShown("Warning"); }));
    EXPECT_TRUE(Answer(WaitForWindow("Warning"), "Return"));
    EXPECT_NE(dpx->Wait(15s), -1) << "dpx.exe did not end";
    return FileText(dataFolder / "dpx.dat");
  }

  std::string defaultMode;
  std::optional<std::string> savedWallpaper;
  fs::path dataFolder;
  std::optional<Program> target;
  std::optional<Program> notes;
  std::optional<Program> dpx;
  std::string targetWindow;
};

TEST_F(SideActionsE2e, HideWallpaperEmptiesTheValueWhileHiddenAndWritesBackTheExactText) {
  struct Case {
    const char* hideWallpaper;
    const char* whileHidden;  // what "Wallpaper" holds in hide mode
  };
  const std::string old = "C:\\users\\Public\\Pictures\\DPX e2e  wallpaper.bmp";
  for (const Case& c : {Case{"1", ""}, Case{"0", old.c_str()}}) {
    SCOPED_TRACE(std::string("HideWallpaper=") + c.hideWallpaper);
    SetUserRegistryValue(kDesktopKey, "Wallpaper", old);
    WriteSettings(dataFolder, {"[General]", std::string("HideWallpaper=") + c.hideWallpaper});
    StartDpx({"/q"});
    ASSERT_TRUE(Hide());
    EXPECT_TRUE(
        WaitUntil([&] { return UserRegistryValue(kDesktopKey, "Wallpaper") == c.whileHidden; }, 5s))
        << "while hidden: " << UserRegistryValue(kDesktopKey, "Wallpaper").value_or("(none)");
    ASSERT_TRUE(Restore());
    EXPECT_TRUE(WaitUntil([&] { return UserRegistryValue(kDesktopKey, "Wallpaper") == old; }, 5s))
        << "after restore: " << UserRegistryValue(kDesktopKey, "Wallpaper").value_or("(none)");
    dpx.reset();
  }
}

// Read as a plain string only, such a value counted as missing: the restore wrote "" and the
// picture was gone.
TEST_F(SideActionsE2e, AWallpaperStoredExpandableComesBackWithItsTypeAndText) {
  const std::string old = "%USERPROFILE%\\Pictures\\DPX e2e wallpaper.bmp";
  SetUserRegistryValue(kDesktopKey, "Wallpaper", old, "REG_EXPAND_SZ");
  WriteSettings(dataFolder, {"[General]", "HideWallpaper=1"});
  StartDpx({"/q"});
  ASSERT_TRUE(Hide());
  EXPECT_TRUE(WaitUntil(
      [&] { return UserRegistryValue(kDesktopKey, "Wallpaper", "REG_EXPAND_SZ") == ""; }, 5s))
      << "while hidden: "
      << UserRegistryValue(kDesktopKey, "Wallpaper", "REG_EXPAND_SZ").value_or("(none)");
  ASSERT_TRUE(Restore());
  EXPECT_TRUE(WaitUntil(
      [&] { return UserRegistryValue(kDesktopKey, "Wallpaper", "REG_EXPAND_SZ") == old; }, 5s))
      << "after restore: REG_EXPAND_SZ "
      << UserRegistryValue(kDesktopKey, "Wallpaper", "REG_EXPAND_SZ").value_or("(none)")
      << ", REG_SZ " << UserRegistryValue(kDesktopKey, "Wallpaper").value_or("(none)");
}

TEST_F(SideActionsE2e, SwitchDisplayResolutionShowsTheChosenModeOnlyWhileHidden) {
  const std::vector<ListedMode> modes = ListedModes();
  const auto chosen = std::find_if(modes.begin(), modes.end(),
                                   [](const ListedMode& mode) { return mode.size == kTestedSize; });
  ASSERT_NE(chosen, modes.end()) << "the session offers no " << kTestedSize;
  WriteSettings(dataFolder,
                {"[Display]", "Resolution=" + std::to_string(chosen->number), "Switch=1"});
  StartDpx({"/q"});
  ASSERT_TRUE(Hide());
  EXPECT_TRUE(ScreenBecomes(kTestedSize)) << "the screen is " << ScreenMode();
  Screenshot((ScreenshotFolder() / "display-mode-while-hidden.png").string());
  ASSERT_TRUE(Restore());
  EXPECT_TRUE(ScreenBecomes(defaultMode)) << "the screen is " << ScreenMode();
}

// The menu has one item per size, from the size met last in the enumeration to the one met
// first, then "Current"; under a size its depths, under a depth its modes, in enumeration order.
TEST_F(SideActionsE2e, ModeChosenFromTheListMenuIsTheOneSwitchedToAndSaved) {
  const std::vector<ListedMode> modes = ListedModes();
  std::vector<std::string> sizes;
  for (const ListedMode& mode : modes)
    if (std::find(sizes.begin(), sizes.end(), mode.size) == sizes.end()) sizes.push_back(mode.size);
  std::reverse(sizes.begin(), sizes.end());
  const auto size = std::find(sizes.begin(), sizes.end(), kTestedSize);
  ASSERT_NE(size, sizes.end());
  // The first depth under the size, and its first mode.
  const auto chosen = std::find_if(modes.begin(), modes.end(),
                                   [](const ListedMode& mode) { return mode.size == kTestedSize; });
  WriteSettings(dataFolder, {"[Display]", "Switch=1"});
  StartDpx();
  const std::string main = OpenSubPage(kDisplayStripButton);
  ASSERT_FALSE(main.empty());

  Click(main, kListButton);
  std::this_thread::sleep_for(700ms);
  Screenshot((ScreenshotFolder() / "display-mode-menu.png").string());
  std::string keys;
  for (auto at = sizes.begin(); at <= size; ++at) keys += " Down";
  e2e::Run("xdotool key --delay 60" + keys + " Right Right Return");
  std::this_thread::sleep_for(500ms);
  Screenshot((ScreenshotFolder() / "display-page-mode-chosen.png").string());

  Click(main, kWindowsButton);
  ASSERT_TRUE(Hide());
  EXPECT_TRUE(ScreenBecomes(kTestedSize)) << "the screen is " << ScreenMode();
  ASSERT_TRUE(Restore());
  EXPECT_TRUE(ScreenBecomes(defaultMode)) << "the screen is " << ScreenMode();
  EXPECT_EQ(SettingsValue(TerminateAndReadSettings(main), "Display", "Resolution"),
            std::to_string(chosen->number));
}

TEST_F(SideActionsE2e, DisplayTestCountsDownClosesItselfAndTheModeIsBack) {
  const std::vector<ListedMode> modes = ListedModes();
  const auto chosen = std::find_if(modes.begin(), modes.end(),
                                   [](const ListedMode& mode) { return mode.size == kTestedSize; });
  ASSERT_NE(chosen, modes.end());
  WriteSettings(dataFolder, {"[Display]", "Resolution=" + std::to_string(chosen->number)});
  StartDpx();
  const std::string main = OpenSubPage(kDisplayStripButton);
  ASSERT_FALSE(main.empty());

  Click(main, kTestResolutionButton);
  const std::string notice = WaitForWindow("Information");
  ASSERT_FALSE(notice.empty());
  const std::vector<std::string> noticeTexts = WindowTexts("Information");
  EXPECT_NE(std::find(noticeTexts.begin(), noticeTexts.end(),
                      "Your display mode will be switched to the one you have selected."),
            noticeTexts.end());
  EXPECT_EQ(ScreenMode(), defaultMode) << "switched before the notice was answered";
  ASSERT_TRUE(Answer(notice, "Return"));

  ASSERT_FALSE(WaitForWindow("Display mode test").empty());
  EXPECT_TRUE(ScreenBecomes(kTestedSize)) << "the screen is " << ScreenMode();
  const int first = CountdownOf(WindowTexts("Display mode test"));
  Screenshot((ScreenshotFolder() / "display-mode-test.png").string());
  std::this_thread::sleep_for(2500ms);
  const int later = CountdownOf(WindowTexts("Display mode test"));
  EXPECT_GE(first, 8);
  EXPECT_LE(first, 10);
  EXPECT_GE(first - later, 2) << "the countdown did not run";
  EXPECT_LE(first - later, 3);

  // Nobody answers: it closes itself and the mode in force before comes back.
  EXPECT_TRUE(WaitUntil([] { return !XWindowShown("Display mode test"); }, 12s));
  EXPECT_TRUE(ScreenBecomes(defaultMode)) << "the screen is " << ScreenMode();
  EXPECT_TRUE(dpx->Running());
}

// The test holds "Modify sound" checked while it plays and gives it back its own state: with the
// box cleared before, the settings file still says 0 afterwards.
TEST_F(SideActionsE2e, SoundTestGivesModifySoundBackItsOwnState) {
  WriteSettings(dataFolder, {"[Sounds]", "ModifyVolume=0"});
  StartDpx();
  const std::string main = OpenSubPage(kSoundStripButton);
  ASSERT_FALSE(main.empty());
  Click(main, kTestSoundButton);
  std::this_thread::sleep_for(1s);
  Screenshot((ScreenshotFolder() / "sound-page-after-test.png").string());
  EXPECT_EQ(SettingsValue(TerminateAndReadSettings(main), "Sounds", "ModifyVolume"), "0");
}

}  // namespace
}  // namespace dpx::e2e
