// The real dpx.exe and dozov.dll under Wine: "Hide newly created windows while in HIDE mode"
// hides a window that another program opens while the desktop is hidden, and shows it again at
// the restore; checked from outside through X.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "harness.h"

namespace dpx::e2e {
namespace {

namespace fs = std::filesystem;

constexpr char kNewTitle[] = "Newcomer";

// One record of a list file: title and path as length-prefixed 255-byte strings, then the flag.
std::array<char, 513> ListRecord(const std::string& title, bool allWindows) {
  std::array<char, 513> record{};
  record[0] = static_cast<char>(title.size());
  title.copy(&record[1], title.size());
  record[512] = allWindows ? 1 : 0;
  return record;
}

class NewWindowWatchE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    dataFolder = fs::path(AppDataFolder()) / "Orvalen" / "DPX";
    fs::remove_all(dataFolder);
    fs::create_directories(dataFolder);
    editor.emplace(
        StartWindowsProgram("tests/win32/dpx_test_windows.exe", {"--window", "Editor Two"}));
    ASSERT_TRUE(WaitUntil([&] { return !(editorWindow = FirstShown("Editor Two")).empty(); }));
  }

  static std::string FirstShown(const std::string& title) {
    const auto windows = VisibleXWindows(title);
    return windows.empty() ? std::string() : windows.front();
  }

  void WriteSettings(bool hideNewWindows) {
    std::ofstream(dataFolder / "dpx.dat", std::ios::binary)
        << "[General]\r\nHideNewlyCreatedWindows=" << (hideNewWindows ? 1 : 0) << "\r\n";
  }

  void ProtectTitle(const std::string& title) {
    const auto record = ListRecord(title, false);
    std::ofstream(dataFolder / "ExList.Dat", std::ios::binary).write(record.data(), record.size());
  }

  // Hot keys reach DPX through any window of the session; repeated until DPX has answered.
  bool Press(const std::string& keys, const std::function<bool()>& done) {
    for (int attempt = 0; attempt < 5; ++attempt) {
      PressKey(keys, editorWindow);
      if (WaitUntil(done, 2s)) return true;
    }
    return false;
  }
  bool Hide() {
    return Press("ctrl+grave", [] { return !XWindowShown("Editor Two"); });
  }
  bool Restore() {
    return Press("ctrl+grave", [] { return XWindowShown("Editor Two"); });
  }

  // Opens the new window from another program: created hidden, shown a moment later.
  Program OpenNewWindow() {
    Program helper = StartWindowsProgram("tests/win32/dpx_test_windows.exe",
                                         {"--hidden-for", "300", "--window", kNewTitle});
    EXPECT_TRUE(WaitUntil([&] { return helper.Output().find("shown") != std::string::npos; }))
        << "the new window was never shown";
    return helper;
  }

  // The new window has been shown; DPX hides it within a few of its polls when it should.
  static bool StaysShown() {
    std::this_thread::sleep_for(1500ms);
    return XWindowShown(kNewTitle);
  }

  fs::path dataFolder;
  std::optional<Program> editor;
  std::string editorWindow;
};

TEST_F(NewWindowWatchE2e, NewWindowInHideModeIsHiddenAndComesBackAtTheRestore) {
  WriteSettings(true);
  Program dpx = StartWindowsProgram("dpx.exe", {"/Q"});
  ASSERT_TRUE(Hide());

  Program helper = OpenNewWindow();
  EXPECT_TRUE(WaitUntil([] { return !XWindowShown(kNewTitle); }, 5s))
      << "the new window stayed on the hidden desktop";

  ASSERT_TRUE(Restore());
  EXPECT_TRUE(WaitUntil([] { return XWindowShown(kNewTitle); }, 5s));
  EXPECT_FALSE(XWindowShown("Error")) << "the hook library was not found";
  EXPECT_TRUE(dpx.Running());
}

TEST_F(NewWindowWatchE2e, NewWindowStaysWithTheOptionClearedOrOutsideHideMode) {
  WriteSettings(false);
  {
    Program dpx = StartWindowsProgram("dpx.exe", {"/Q"});
    ASSERT_TRUE(Hide());
    Program helper = OpenNewWindow();
    EXPECT_TRUE(StaysShown()) << "hidden with the option cleared";
    ASSERT_TRUE(Restore());
  }
  WriteSettings(true);
  Program dpx = StartWindowsProgram("dpx.exe", {"/Q"});
  // A hide and a restore: DPX is up and watching, and the desktop is back to normal.
  ASSERT_TRUE(Hide());
  ASSERT_TRUE(Restore());
  Program helper = OpenNewWindow();
  EXPECT_TRUE(StaysShown()) << "hidden outside hide mode";
}

TEST_F(NewWindowWatchE2e, NewWindowThatTheDoNotHideListProtectsStays) {
  WriteSettings(true);
  ProtectTitle(kNewTitle);
  Program dpx = StartWindowsProgram("dpx.exe", {"/Q"});
  ASSERT_TRUE(Hide());

  Program helper = OpenNewWindow();
  EXPECT_TRUE(StaysShown());
  ASSERT_TRUE(Restore());
  EXPECT_TRUE(XWindowShown(kNewTitle));
}

// dozov.dll moved away for one test, and put back whatever happens.
class LibraryAway {
 public:
  LibraryAway() : library_(fs::path(CurrentSession().windowsBuild) / "dozov.dll") {
    fs::rename(library_, Away());
  }
  ~LibraryAway() { fs::rename(Away(), library_); }

 private:
  fs::path Away() const { return fs::path(library_).replace_extension(".away"); }
  fs::path library_;
};

TEST_F(NewWindowWatchE2e, WithoutTheLibraryTheMessageComesOnceAndHidingStillWorks) {
  WriteSettings(true);
  LibraryAway away;
  Program dpx = StartWindowsProgram("dpx.exe", {"/Q"});

  std::string box;
  ASSERT_TRUE(WaitUntil([&] { return !(box = FirstShown("Error")).empty(); }))
      << "no \"Library not found.\" box";
  Screenshot((fs::temp_directory_path() / "dpx-library-not-found.png").string());
  ASSERT_TRUE(WaitUntil(
      [&] {
        e2e::Run("xdotool windowfocus --sync " + box + " key Return");
        return !XWindowShown("Error");
      },
      10s));

  ASSERT_TRUE(Hide());
  Program helper = OpenNewWindow();
  EXPECT_TRUE(StaysShown()) << "no library, no watcher";
  ASSERT_TRUE(Restore());
  EXPECT_FALSE(XWindowShown("Error")) << "the message came a second time";
  EXPECT_TRUE(dpx.Running());
}

}  // namespace
}  // namespace dpx::e2e
