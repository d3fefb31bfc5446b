#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "app/caption_order.h"
#include "app/main_window_commands.h"
#include "app/program_end.h"
#include "fakes/fake_text_services.h"
#include "fakes/scripted_ui.h"
#include "fakes/simulated_desktop.h"
#include "lists/list_file.h"
#include "platform/file_io.h"

namespace dpx {
namespace {

namespace fs = std::filesystem;

// The settings as start-up and shutdown use them; records each call into a shared journal.
class RecordingSettings final : public SettingsStore {
 public:
  explicit RecordingSettings(std::vector<std::string>& journal) : journal_(journal) {}
  bool failSave = false;

  void Load() override { journal_.push_back("LoadSettings"); }
  void Save() override {
    journal_.push_back("SaveSettings");
    if (failSave) throw std::runtime_error("Unable to write to dpx.dat");
  }

 private:
  std::vector<std::string>& journal_;
};

class JournalSteps final : public HideSteps, public EndOfRunSteps {
 public:
  explicit JournalSteps(std::vector<std::string>& journal) : journal_(journal) {}

  void RememberActiveWindow() override { Log("RememberActiveWindow"); }
  void CloseActiveWindow() override { Log("CloseActiveWindow"); }
  void SwitchToSelectedMode() override { Log("SwitchToSelectedMode"); }
  void HideWallpaper() override { Log("HideWallpaper"); }
  void SaveCurrentVolume() override { Log("SaveCurrentVolume"); }
  void ApplyDesiredVolume() override { Log("ApplyDesiredVolume"); }
  void BringToTop() override { Log("BringToTop"); }
  void HideShellSurfaces(bool, bool, bool) override { Log("HideShellSurfaces"); }
  void RestoreShellSurfaces() override { Log("RestoreShellSurfaces"); }
  void RestoreDisplayMode() override { Log("RestoreDisplayMode"); }
  void RestoreWallpaper() override { Log("RestoreWallpaper"); }
  void RestoreSavedVolume() override { Log("RestoreSavedVolume"); }
  void ReactivateActiveWindow() override { Log("ReactivateActiveWindow"); }
  void RefreshVisibleWindowsList() override { Log("RefreshVisibleWindowsList"); }
  void FreeLockWorkStation() override { Log("FreeLockWorkStation"); }
  void UnregisterHotKeys() override { Log("UnregisterHotKeys"); }

 private:
  void Log(const std::string& call) { journal_.push_back(call); }
  std::vector<std::string>& journal_;
};

class AppLifecycleTest : public ::testing::Test {
 protected:
  AppLifecycleTest() {
    folder = fs::temp_directory_path() /
             ("dpx_app_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    paths.dataFolder = folder.wstring() + L"/";
    paths.excludeListFile = (folder / "ExList.Dat").wstring();
    paths.bringToTopListFile = (folder / "BttList.Dat").wstring();
    program.mainWindow = desktop.AddWindow({L"DPX", L"#32770"});
    editor = desktop.AddWindow({L"Editor"});
  }
  ~AppLifecycleTest() override { fs::remove_all(folder); }

  void WriteList(const fs::path& file, const std::vector<std::wstring>& paths) {
    std::vector<ListEntry> entries;
    for (const auto& path : paths) entries.emplace_back(text, L"", path, true);
    SaveListFile(file.wstring(), entries);
  }
  std::vector<std::wstring> Captions(const std::vector<ListEntry>& entries) {
    std::vector<std::wstring> captions;
    for (const auto& entry : entries) captions.push_back(RowText(text, entry).caption);
    return captions;
  }
  void LoadAll() {
    saved.LoadExcludeList();
    saved.LoadBringToTopList();
    saved.LoadSettings();
    journal.clear();
  }

  fs::path folder;
  DataPaths paths;
  std::vector<std::string> journal;
  fakes::FakeTextServices text;
  RecordingSettings settings{journal};
  SavedState saved{paths, settings, text};
  fakes::SimulatedDesktop desktop;
  fakes::FakeProgramWindow program{desktop};
  fakes::ScriptedUi ui;
  Options options;
  int closes = 0;
  MainWindowCommands commands{ui, saved, program, options, [this] { ++closes; }};
  WindowCapture capture{desktop, desktop, program};
  HideMode hideMode{desktop, capture, program, text, saved.ExcludeList()};
  JournalSteps steps{journal};
  bool ready = true;
  ProgramEnd end{hideMode, steps, steps, saved, ready};
  WindowHandle editor;
};

TEST_F(AppLifecycleTest, TheDoNotHideListIsKeptInCaptionOrderAndSavedSo) {
  WriteList(folder / "ExList.Dat", {L"C:\\b\\zed.exe", L"C:\\a\\Alpha.exe", L"D:beta.exe"});
  WriteList(folder / "BttList.Dat", {L"C:\\z.exe"});
  LoadAll();
  EXPECT_EQ(Captions(saved.ExcludeList()),
            (std::vector<std::wstring>{L"Alpha.exe", L"beta.exe", L"zed.exe"}));
  saved.SaveAll();
  EXPECT_EQ(Captions(LoadListFile(paths.excludeListFile)), Captions(saved.ExcludeList()));
  EXPECT_EQ(Captions(LoadListFile(paths.bringToTopListFile)),
            (std::vector<std::wstring>{L"z.exe"}));
  EXPECT_EQ(journal, (std::vector<std::string>{"SaveSettings"}));
}

TEST_F(AppLifecycleTest, VisibleWindowsShowByCaptionWithEqualCaptionsInCaptureOrder) {
  CapturedWindowList rows;
  for (const auto& [caption, title] :
       std::vector<std::pair<std::wstring, std::wstring>>{{L"zed.exe", L"1"},
                                                          {L"", L"2"},
                                                          {L"Alpha.exe", L"3"},
                                                          {L"zed.exe", L"4"},
                                                          {L"alpha.exe", L"5"}}) {
    rows.push_back({caption, TWinInfo{kNoWindow, title, L"", 0}});
  }
  SortByCaption(rows, text);
  std::wstring titles;
  for (const auto& row : rows) titles += row.info.Title;
  EXPECT_EQ(titles, L"25314");  // lower case before upper case at the same letters
}

TEST_F(AppLifecycleTest, AListThatFailedToLoadIsNeverWrittenOver) {
  fs::create_directories(folder / "ExList.Dat");  // exists but cannot be read
  WriteList(folder / "BttList.Dat", {L"C:\\keep.exe"});
  EXPECT_THROW(saved.LoadExcludeList(), IoError);  // start-up skips the loads after it
  saved.SaveAll();
  EXPECT_EQ(fs::file_size(folder / "BttList.Dat"), ListEntry::kSize);
  EXPECT_TRUE(fs::is_directory(folder / "ExList.Dat"));
  EXPECT_EQ(journal, (std::vector<std::string>{"SaveSettings"}));
}

TEST_F(AppLifecycleTest, HideRemindsOfTheHotKeySavesThenHides) {
  LoadAll();
  options.programKey = L"Ctrl+F11";
  desktop.Window(program.mainWindow).visible = true;
  commands.Hide();
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, L"To activate this window again use : \n\rCtrl+F11");
  EXPECT_EQ(ui.shown[0].kind, MessageKind::kInformation);
  EXPECT_EQ(ui.shown[0].buttons, MessageButtons::kOk);
  EXPECT_TRUE(FileExists(paths.excludeListFile));
  EXPECT_TRUE(FileExists(paths.bringToTopListFile));
  EXPECT_EQ(journal, (std::vector<std::string>{"SaveSettings"}));
  EXPECT_EQ(program.toggles, (std::vector<bool>{true}));
  EXPECT_FALSE(desktop.IsVisible(program.mainWindow));
}

TEST_F(AppLifecycleTest, AFailedSaveInHideKeepsTheWindowShown) {
  LoadAll();
  desktop.Window(program.mainWindow).visible = true;
  settings.failSave = true;
  EXPECT_THROW(commands.Hide(), std::runtime_error);
  EXPECT_TRUE(program.toggles.empty());
  EXPECT_TRUE(desktop.IsVisible(program.mainWindow));
}

TEST_F(AppLifecycleTest, TerminateClosesOnlyOnYesAndCancelWritesNothing) {
  LoadAll();
  ui.answers = {MessageAnswer::kCancel};
  commands.Terminate();
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, L"Do you really want to stop using the application?");
  EXPECT_EQ(ui.shown[0].kind, MessageKind::kWarning);
  EXPECT_EQ(ui.shown[0].buttons, MessageButtons::kYesCancel);
  EXPECT_EQ(closes, 0);
  EXPECT_FALSE(FileExists(paths.excludeListFile));
  EXPECT_TRUE(journal.empty());

  ui.answers = {MessageAnswer::kYes};
  commands.Terminate();
  EXPECT_EQ(closes, 1);
}

TEST_F(AppLifecycleTest, EndingInHideModeBringsTheDesktopBackBeforeSaving) {
  LoadAll();
  hideMode.Begin();
  hideMode.CaptureAndHideAll();
  ASSERT_FALSE(desktop.IsVisible(editor));
  journal.clear();

  end.Destroy();
  EXPECT_FALSE(hideMode.Active());
  EXPECT_TRUE(desktop.IsVisible(editor));
  EXPECT_EQ(journal,
            (std::vector<std::string>{"RestoreSavedVolume", "RestoreShellSurfaces",
                                      "RestoreDisplayMode", "RestoreWallpaper",
                                      "FreeLockWorkStation", "SaveSettings", "UnregisterHotKeys"}));
  EXPECT_TRUE(FileExists(paths.excludeListFile));
}

TEST_F(AppLifecycleTest, EndingBeforeStartUpFinishedSavesNothing) {
  LoadAll();
  ready = false;
  end.Destroy();
  EXPECT_EQ(journal, (std::vector<std::string>{"UnregisterHotKeys"}));
  EXPECT_FALSE(FileExists(paths.excludeListFile));
}

TEST_F(AppLifecycleTest, AFailedSaveStopsTheCloseQueryAndTheEnd) {
  LoadAll();
  settings.failSave = true;
  EXPECT_THROW(end.CloseQuery(), std::runtime_error);
  journal.clear();
  EXPECT_THROW(end.Destroy(), std::runtime_error);
  EXPECT_EQ(journal, (std::vector<std::string>{"SaveSettings"}));  // hot keys: skipped
}

}  // namespace
}  // namespace dpx
