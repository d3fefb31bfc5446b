// The application password and autostart in the real dpx.exe under Wine: a password set through
// its dialog reaches the registry only as a hash, guards the next start and every showing of the
// main window by its hot key; the autostart box writes and removes the Run entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "dpx_windows.h"
#include "harness.h"
#include "session_state.h"

namespace dpx::e2e {
namespace {

namespace fs = std::filesystem;

constexpr char kPasswordKey[] = "'HKCU\\Software\\Windows\\Cryptography'";
constexpr char kRunKey[] = "'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run'";
constexpr char kPassword[] = "Open Sesame 1";
constexpr char kKeyTarget[] = "Key Target";

// Both the prompt and the main window are called "DPX"; the prompt is the narrow one.
constexpr int kWidestPrompt = 500;

std::string DpxWindow(bool prompt) {
  for (const std::string& window : VisibleXWindows("DPX")) {
    const int width = WindowSize(window).first;
    if (width > 100 && (width < kWidestPrompt) == prompt) return window;
  }
  return {};
}
std::string ShownPrompt() {
  return DpxWindow(true);
}
std::string ShownMain() {
  return DpxWindow(false);
}

std::string Wine() {
  return CurrentSession().wine;
}

// The data of a registry value as `reg query` prints it; nullopt when there is no such value.
std::optional<std::string> RegistryValue(const char* key, const std::string& name) {
  int status = 0;
  const std::string output =
      e2e::Run(Wine() + " reg query " + key + " /v " + name + " 2>/dev/null", &status);
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    const auto type = line.find("REG_SZ");
    if (type == std::string::npos) continue;
    std::string data = line.substr(std::min(line.size(), type + 6));
    data.erase(0, data.find_first_not_of(' '));
    while (!data.empty() && (data.back() == '\r' || data.back() == ' ')) data.pop_back();
    return data;
  }
  return std::nullopt;
}

void DeleteRegistryValue(const char* key, const std::string& name) {
  e2e::Run(Wine() + " reg delete " + key + " /v " + name + " /f >/dev/null 2>&1");
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Hex(const std::string& text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : text) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex;
}

void Xdotool(const std::string& arguments) {
  e2e::Run("xdotool " + arguments);
}

// Types into the focused field of a window; keys are sent with XTEST after the focus is given,
// so no key is left down when the window closes.
void TypeInto(const std::string& window, const std::string& text) {
  Xdotool("windowfocus --sync " + window + " type --delay 30 '" + text + "'");
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class PasswordE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(fs::path(AppDataFolder()) / "Orvalen" / "DPX");
    CleanRegistry();
  }
  void TearDown() override {
    dpx.reset();
    CleanRegistry();
  }
  static void CleanRegistry() {
    DeleteRegistryValue(kPasswordKey, "10");
    DeleteRegistryValue(kRunKey, "DPX");
  }

  void StartDpx() { dpx.emplace(StartWindowsProgram("dpx.exe")); }

  std::string WaitForMain() {
    std::string window;
    EXPECT_TRUE(WaitUntil([&] { return !(window = ShownMain()).empty(); }))
        << "the main window did not appear";
    return window;
  }
  std::string WaitForPrompt() {
    std::string window;
    EXPECT_TRUE(WaitUntil([&] { return !(window = ShownPrompt()).empty(); }))
        << "the password prompt did not appear";
    return window;
  }

  // "&Extra Settings" opens on its General sub-page.
  void OpenGeneralSubPage(const std::string& main) {
    Xdotool("windowfocus --sync " + main + " key alt+e");
    std::this_thread::sleep_for(700ms);
  }
  // A click on the label of a box of the General sub-page (window pixels at the default DPI).
  void ClickBox(const std::string& main, int x, int y) {
    Xdotool("mousemove --window " + main + " " + std::to_string(x) + " " + std::to_string(y) +
            " click 1");
  }
  void ClickAutoStart(const std::string& main) { ClickBox(main, 224, 119); }

  // Checking the protection box opens the dialog.
  std::string OpenSetPasswordDialog(const std::string& main) {
    OpenGeneralSubPage(main);
    ClickBox(main, 211, 229);
    return WaitForWindow("Application password");
  }

  void Terminate(const std::string& main) {
    ASSERT_TRUE(PressUntil(main, "alt+t", [] { return XWindowShown("Warning"); }));
    ASSERT_TRUE(Answer(WaitForWindow("Warning"), "Return"));
    ASSERT_NE(dpx->Wait(20s), -1) << "dpx.exe did not end";
  }

  // Starts with a password already stored through the dialog of an earlier run.
  void StoreThePasswordThroughTheDialog(bool screenshot) {
    StartDpx();
    const std::string main = WaitForMain();
    ASSERT_FALSE(main.empty());
    const std::string dialog = OpenSetPasswordDialog(main);
    ASSERT_FALSE(dialog.empty()) << "the set-password dialog did not open";
    TypeInto(dialog, kPassword);
    Xdotool("windowfocus --sync " + dialog + " key Tab");
    TypeInto(dialog, kPassword);
    if (screenshot) Screenshot("/tmp/dpx-e2e-shots/password-set-dialog.png");
    ASSERT_TRUE(Answer(dialog, "Return"));
    Terminate(main);
  }

  std::optional<Program> dpx;
};

TEST_F(PasswordE2e, ASetPasswordIsStoredAsAHashAndAskedForAtTheNextStart) {
  fs::create_directories("/tmp/dpx-e2e-shots");
  StoreThePasswordThroughTheDialog(true);
  const auto stored = RegistryValue(kPasswordKey, "10");
  ASSERT_TRUE(stored.has_value()) << "no value \"10\" was written";
  EXPECT_NE(stored->find("pbkdf2-sha256"), std::string::npos) << *stored;
  for (const std::string& trace : {std::string(kPassword), std::string("Sesame"), Hex(kPassword)})
    EXPECT_EQ(Lower(*stored).find(Lower(trace)), std::string::npos) << *stored;

  StartDpx();
  std::string prompt = WaitForPrompt();
  ASSERT_FALSE(prompt.empty());
  EXPECT_TRUE(Contains(WindowTexts("DPX"), "Entre application password"));
  std::this_thread::sleep_for(1s);
  EXPECT_TRUE(ShownMain().empty()) << "the main window came before the password";
  Screenshot("/tmp/dpx-e2e-shots/password-prompt-at-start.png");

  // A wrong entry (the right one without its end) is refused and stays in the field: typing the
  // rest then unlocks.
  TypeInto(prompt, "Open Sesame");
  Xdotool("windowfocus --sync " + prompt + " key Return");
  const std::string error = WaitForWindow("Error");
  ASSERT_FALSE(error.empty()) << "no error box for a wrong password";
  EXPECT_TRUE(Contains(WindowTexts("Error"), "Invalid password"));
  ASSERT_TRUE(Answer(error, "Return"));
  prompt = WaitForPrompt();
  ASSERT_FALSE(prompt.empty()) << "the prompt did not come back";
  EXPECT_TRUE(ShownMain().empty());
  Xdotool("windowfocus --sync " + prompt + " key End");
  TypeInto(prompt, " 1");
  Xdotool("windowfocus --sync " + prompt + " key Return");
  EXPECT_FALSE(WaitForMain().empty()) << "the right password did not start the program";
  EXPECT_FALSE(XWindowShown("Error"));
  EXPECT_TRUE(dpx->Running());
}

TEST_F(PasswordE2e, TheProgramWindowHotKeyAsksWhenShowingAndNeverWhenHiding) {
  StoreThePasswordThroughTheDialog(false);
  Program target =
      StartWindowsProgram("tests/win32/dpx_test_windows.exe", {"--window", kKeyTarget});
  const std::string targetWindow = WaitForWindow(kKeyTarget);
  ASSERT_FALSE(targetWindow.empty());
  // Wine hands the focus over a moment late at times: pressed again until it has acted.
  auto hotKeyUntil = [&](const std::function<bool()>& done) {
    return PressUntil(targetWindow, "ctrl+backslash", done);
  };
  auto hidden = [] { return ShownMain().empty(); };
  auto asking = [] { return !ShownPrompt().empty(); };

  StartDpx();
  const std::string prompt = WaitForPrompt();
  ASSERT_FALSE(prompt.empty());
  TypeInto(prompt, kPassword);
  Xdotool("windowfocus --sync " + prompt + " key Return");
  ASSERT_FALSE(WaitForMain().empty());

  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    ASSERT_TRUE(hotKeyUntil(hidden)) << "the hot key did not hide";
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(ShownPrompt().empty()) << "hiding asked for the password";

    ASSERT_TRUE(hotKeyUntil(asking)) << "showing did not ask for the password";
    const std::string asked = ShownPrompt();
    EXPECT_TRUE(ShownMain().empty()) << "the window came before the password";
    // Each showing starts with an empty field: only the full password unlocks.
    TypeInto(asked, kPassword);
    Xdotool("windowfocus --sync " + asked + " key Return");
    ASSERT_FALSE(WaitForMain().empty()) << "the password did not show the window";
    EXPECT_FALSE(XWindowShown("Error"));
  }

  // Cancel leaves the window hidden and the program running.
  ASSERT_TRUE(hotKeyUntil(hidden));
  ASSERT_TRUE(hotKeyUntil(asking));
  const std::string asked = ShownPrompt();
  ASSERT_TRUE(Answer(asked, "Escape"));
  std::this_thread::sleep_for(1s);
  EXPECT_TRUE(ShownMain().empty());
  EXPECT_TRUE(dpx->Running());
}

TEST_F(PasswordE2e, CancelAtTheStartPromptEndsTheProgramAndKeepsThePassword) {
  StoreThePasswordThroughTheDialog(false);
  const auto stored = RegistryValue(kPasswordKey, "10");
  ASSERT_TRUE(stored.has_value());

  StartDpx();
  const std::string prompt = WaitForPrompt();
  ASSERT_FALSE(prompt.empty());
  ASSERT_TRUE(Answer(prompt, "Escape"));
  EXPECT_NE(dpx->Wait(20s), -1) << "dpx.exe kept running after Cancel";
  EXPECT_TRUE(ShownMain().empty());
  EXPECT_EQ(RegistryValue(kPasswordKey, "10"), stored);
}

// A sync client or a scanner may hold "ExList.Dat" open. Its read error used to end the start's
// loading before the settings: no password asked, the default hot keys instead of the user's.
TEST_F(PasswordE2e, AListFileHeldByAnotherProgramIsReportedAndThePasswordAndHotKeysStillCount) {
  const fs::path data = FreshDataFolder();
  WriteDoNotHideList(data, {kKeyTarget});
  const std::string listBefore = FileText(data / "ExList.Dat");
  WriteSettings(data, {"[HOTKEY_Windows]", "Key=Ctrl+F7"});
  // An earlier version's plain text: it unlocks as a stored hash does.
  e2e::Run(Wine() + " reg add " + kPasswordKey + " /v 10 /d '" + kPassword + "' /f");
  Program holder = StartWindowsProgram(
      "tests/win32/dpx_test_windows.exe",
      {"--hold-file", WindowsDataFilePath("ExList.Dat"), "--window", kKeyTarget});
  const std::string target = WaitForWindow(kKeyTarget);
  ASSERT_FALSE(target.empty());
  Program notes = StartWindowsProgram("tests/win32/dpx_test_windows.exe", {"--window", "Notes"});
  ASSERT_FALSE(WaitForWindow("Notes").empty());

  dpx.emplace(StartWindowsProgram("dpx.exe", {"/q"}));
  const std::string error = WaitForWindow("Error");
  ASSERT_FALSE(error.empty()) << "the held list was not reported";
  const std::vector<std::string> texts = WindowTexts("Error");
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& text) {
    return text.find("ExList.Dat") != std::string::npos;
  })) << "the error does not name the list";
  ASSERT_TRUE(Answer(error, "Return"));

  const std::string prompt = WaitForPrompt();
  ASSERT_FALSE(prompt.empty()) << "the start did not ask for the stored password";
  EXPECT_FALSE(XWindowShown("Error")) << "the list was reported more than once";
  EXPECT_TRUE(ShownMain().empty());
  TypeInto(prompt, kPassword);
  Xdotool("windowfocus --sync " + prompt + " key Return");
  ASSERT_TRUE(WaitUntil([] { return ShownPrompt().empty(); }));

  // The user's hide hot key from the settings file.
  EXPECT_TRUE(PressAndWait("ctrl+F7", target, [] { return !XWindowShown("Notes"); }))
      << "the user's hide hot key does not hide";
  EXPECT_TRUE(ShownMain().empty()) << "the quiet start showed the main window";
  EXPECT_EQ(FileText(data / "ExList.Dat"), listBefore);
}

TEST_F(PasswordE2e, TheAutostartBoxWritesTheQuotedRunEntryAndRemovesIt) {
  StartDpx();
  const std::string main = WaitForMain();
  ASSERT_FALSE(main.empty());
  EXPECT_FALSE(RegistryValue(kRunKey, "DPX").has_value());

  OpenGeneralSubPage(main);
  ClickAutoStart(main);
  std::optional<std::string> entry;
  ASSERT_TRUE(WaitUntil([&] { return (entry = RegistryValue(kRunKey, "DPX")).has_value(); }, 10s))
      << "checking the box wrote no entry";
  EXPECT_EQ(entry->front(), '"') << *entry;
  EXPECT_TRUE(entry->ends_with("\\dpx.exe\" /q")) << *entry;

  ClickAutoStart(main);
  EXPECT_TRUE(WaitUntil([] { return !RegistryValue(kRunKey, "DPX").has_value(); }, 10s))
      << "unchecking the box left the entry";
}

TEST_F(PasswordE2e, AnEntryOfAnEarlierVersionIsRewrittenQuotedAtStart) {
  e2e::Run(Wine() + " reg add " + kRunKey + " /v DPX /d 'C:\\Old Place\\dpx.exe /q' /f");
  StartDpx();
  ASSERT_FALSE(WaitForMain().empty());
  std::optional<std::string> entry;
  EXPECT_TRUE(WaitUntil(
      [&] {
        entry = RegistryValue(kRunKey, "DPX");
        return entry && entry->find("Old Place") == std::string::npos;
      },
      10s))
      << (entry ? *entry : "no entry");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->front(), '"');
  EXPECT_TRUE(entry->ends_with("\\dpx.exe\" /q")) << *entry;
}

}  // namespace
}  // namespace dpx::e2e
