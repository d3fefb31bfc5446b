// The start and the end of the real dpx.exe under Wine: the Windows version it accepts, the data
// folder and every key of "dpx.dat", and a settings file that cannot be replaced.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "dpx_windows.h"
#include "harness.h"
#include "session_state.h"

namespace dpx::e2e {
namespace {

namespace fs = std::filesystem;

constexpr char kVersionKey[] = "'HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion'";

// The "[Section]" and "Key=Value" lines of a settings file, in file order.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

class StartupE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    dataFolder = fs::path(AppDataFolder()) / "Orvalen" / "DPX";
    fs::remove_all(dataFolder);
  }

  std::string WaitForMainWindow() {
    std::string window;
    EXPECT_TRUE(WaitUntil([&] { return !(window = ShownMainWindow()).empty(); }))
        << "the main window did not appear";
    return window;
  }

  // Terminate, then Yes: the close query saves.
  std::string AskToTerminate(const std::string& main) {
    EXPECT_TRUE(PressUntil(main, "alt+t", [] { return XWindowShown("Warning"); }));
    const std::string question = WaitForWindow("Warning");
    EXPECT_TRUE(Answer(question, "Return"));
    return question;
  }

  fs::path dataFolder;
};

TEST_F(StartupE2e, FirstStartMakesTheDataFolderAndTerminateWritesEveryKeyInItsOrder) {
  Program dpx = StartWindowsProgram("dpx.exe");
  const std::string main = WaitForMainWindow();
  ASSERT_FALSE(main.empty());
  EXPECT_TRUE(fs::is_directory(dataFolder));

  AskToTerminate(main);
  ASSERT_NE(dpx.Wait(15s), -1) << "dpx.exe did not end";
  std::vector<std::string> lines = Lines(FileText(dataFolder / "dpx.dat"));
  // The selected display mode defaults to the mode in force, whatever its number is here.
  for (std::string& line : lines)
    if (line.rfind("Resolution=", 0) == 0 && line.size() > 11) line = "Resolution=N";
  const std::vector<std::string> expected{"[Sounds]",
                                          "ModifyVolume=1",
                                          "Volume=65535",
                                          "VolumeMuted=0",
                                          "[SpecialWindows]",
                                          "HideDesktop=0",
                                          "HideTaskBar=0",
                                          "Tray=1",
                                          "[General]",
                                          "HideNewlyCreatedWindows=0",
                                          "HideActiveWindow=0",
                                          "HideWallpaper=0",
                                          "[SSaver]",
                                          "LockWorkstation=1",
                                          "[Display]",
                                          "Resolution=N",
                                          "Switch=0",
                                          "[HOTKEY_Windows]",
                                          "Key=Ctrl+`",
                                          "[HOTKEY_App]",
                                          "Key=Ctrl+\\",
                                          "[HOTKEY_SSaver]",
                                          "Key=Ctrl+F12",
                                          "[MouseShortcut_Windows]",
                                          "Enabled=0",
                                          "ZoneSize=20",
                                          "HoverInterval=500",
                                          "Corner=0",
                                          "[MouseShortcut_SSaver]",
                                          "Enabled=0",
                                          "ZoneSize=20",
                                          "HoverInterval=500",
                                          "Corner=1"};
  EXPECT_EQ(lines, expected);
  EXPECT_FALSE(fs::exists(dataFolder / "dpx.dat.tmp"));
}

TEST_F(StartupE2e, ASettingsFileHeldByAnotherProgramStopsTheCloseWithItsPath) {
  fs::create_directories(dataFolder);
  const std::string before = "[Sounds]\r\nVolume=100\r\n";
  std::ofstream(dataFolder / "dpx.dat", std::ios::binary) << before;
  const std::string windowsPath = WindowsDataFilePath("dpx.dat");
  Program holder = StartWindowsProgram("tests/win32/dpx_test_windows.exe",
                                       {"--hold-file", windowsPath, "--window", "Holder"});
  ASSERT_FALSE(WaitForWindow("Holder").empty());

  Program dpx = StartWindowsProgram("dpx.exe");
  const std::string main = WaitForMainWindow();
  ASSERT_FALSE(main.empty());
  AskToTerminate(main);

  const std::string error = WaitForWindow("Error");
  ASSERT_FALSE(error.empty()) << "no error box";
  const auto texts = WindowTexts("Error");
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Unable to write to " + windowsPath),
            texts.end());
  Screenshot((fs::temp_directory_path() / "dpx-e2e-shots" / "unable-to-write.png").string());
  ASSERT_TRUE(Answer(error, "Return"));
  std::this_thread::sleep_for(1s);
  EXPECT_TRUE(dpx.Running()) << "the program ended although its settings were not saved";
  EXPECT_FALSE(ShownMainWindow().empty()) << "the main window did not stay open";
  EXPECT_EQ(FileText(dataFolder / "dpx.dat"), before);
}

// Windows 10 builds above 26200 are refused; the build number comes from the prefix's registry.
class VersionGateE2e : public StartupE2e {
 protected:
  void SetUp() override {
    StartupE2e::SetUp();
    std::istringstream query(e2e::Run(std::string(CurrentSession().wine) + " reg query " +
                                      kVersionKey + " /v CurrentBuildNumber"));
    for (std::string line; std::getline(query, line);) {
      const auto at = line.find("REG_SZ");
      if (at != std::string::npos) {
        original = line.substr(line.find_first_not_of(' ', at + 6));
        while (!original->empty() && (original->back() == '\r' || original->back() == ' '))
          original->pop_back();
      }
    }
    ASSERT_TRUE(original.has_value()) << "no build number in the prefix";
  }
  void TearDown() override { SetBuild(*original); }

  static void SetBuild(const std::string& build) {
    e2e::Run(std::string(CurrentSession().wine) + " reg add " + kVersionKey +
             " /v CurrentBuildNumber /d " + build + " /f");
  }

  std::optional<std::string> original;
};

TEST_F(VersionGateE2e, Build26201IsRefusedWithItsMessageAnd26200Starts) {
  SetBuild("26201");
  {
    Program dpx = StartWindowsProgram("dpx.exe");
    std::string box;
    ASSERT_TRUE(WaitUntil([&] {
      for (const std::string& window : VisibleXWindows("DPX"))
        if (WindowSize(window).first > 100) box = window;
      return !box.empty();
    }));
    const auto texts = WindowTexts("DPX");
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "This version of Windows is not supported. Please check the product "
                        "website for updates."),
              texts.end());
    ASSERT_TRUE(Answer(box, "Return"));
    EXPECT_NE(dpx.Wait(15s), -1) << "dpx.exe did not end";
    EXPECT_FALSE(fs::exists(dataFolder / "dpx.dat"));
  }
  SetBuild("26200");
  Program dpx = StartWindowsProgram("dpx.exe");
  const std::string main = WaitForMainWindow();
  ASSERT_FALSE(main.empty());
  // The main window shows no such message.
  const auto texts = WindowTexts("DPX");
  EXPECT_EQ(std::find(texts.begin(), texts.end(),
                      "This version of Windows is not supported. Please check the product "
                      "website for updates."),
            texts.end());
}

}  // namespace
}  // namespace dpx::e2e
