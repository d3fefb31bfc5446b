#include <gtest/gtest.h>

#include <unistd.h>
#include <deque>
#include <filesystem>

#include "app/list_editing.h"
#include "common/strings.h"
#include "fakes/fake_text_services.h"
#include "fakes/scripted_ui.h"
#include "lists/list_file.h"
#include "platform/file_io.h"

namespace dpx {
namespace {

namespace fs = std::filesystem;

class NoSettings final : public SettingsStore {
 public:
  void Load() override {}
  void Save() override {}
};

// Answers the file-open dialog from a script; nullopt (also once the script is used up) is Cancel.
class ScriptedFileDialog final : public ProgramFileDialog {
 public:
  std::deque<std::optional<std::wstring>> choices;
  int shown = 0;

  std::optional<std::wstring> ChooseFile() override {
    ++shown;
    if (choices.empty()) return std::nullopt;
    auto choice = choices.front();
    choices.pop_front();
    return choice;
  }
};

CapturedWindow Window(const std::wstring& path, const std::wstring& title) {
  return {FileNamePart(path), TWinInfo{kNoWindow, title, path, 0}};
}

struct Row {
  std::wstring caption, title, all;
  bool operator==(const Row&) const = default;
};

class ListEditingTest : public ::testing::Test {
 protected:
  ListEditingTest() {
    folder = fs::temp_directory_path() /
             ("dpx_lists_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    paths.excludeListFile = (folder / "ExList.Dat").wstring();
    paths.bringToTopListFile = (folder / "BttList.Dat").wstring();
    saved.LoadExcludeList();
    saved.LoadBringToTopList();
  }
  ~ListEditingTest() override { fs::remove_all(folder); }

  std::vector<Row> Rows(const std::vector<ListEntry>& entries) {
    std::vector<Row> rows;
    for (const ListEntry& entry : entries) {
      const ListRowText text = RowText(textServices, entry);
      rows.push_back({text.caption, text.title, text.all});
    }
    return rows;
  }
  std::vector<Row> ExcludeRows() { return Rows(saved.ExcludeList()); }
  std::vector<Row> ExcludeFileRows() { return Rows(LoadListFile(paths.excludeListFile)); }
  std::vector<Row> BringToTopFileRows() { return Rows(LoadListFile(paths.bringToTopListFile)); }
  std::vector<std::wstring> ShownTexts() {
    std::vector<std::wstring> texts;
    for (const auto& message : ui.shown) texts.push_back(message.text);
    return texts;
  }
  void Add(const std::wstring& path, const std::wstring& title) {
    const CapturedWindow window = Window(path, title);
    editor.AddToExcludeList(&window);
  }
  void AddFromDisk(const std::wstring& path) {
    files.choices.push_back(path);
    editor.AddApplicationFromDisk(files);
  }

  fs::path folder;
  DataPaths paths;
  NoSettings settings;
  fakes::FakeTextServices textServices;
  SavedState saved{paths, settings, textServices};
  fakes::ScriptedUi ui;
  ScriptedFileDialog files;
  ListEditor editor{saved, textServices, ui};
};

TEST_F(ListEditingTest, AWindowIsAddedOnceAndWrittenAtOnce) {
  Add(L"C:\\Tools\\edit.exe", L"Notes - Edit");
  EXPECT_EQ(fs::file_size(folder / "ExList.Dat"), ListEntry::kSize);
  const std::vector<ListEntry> stored = LoadListFile(paths.excludeListFile);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].Title(textServices), L"Notes - Edit");
  EXPECT_EQ(stored[0].Path(textServices), L"C:\\Tools\\edit.exe");
  EXPECT_EQ(stored[0].bytes()[512], 1);
  EXPECT_TRUE(ui.shown.empty());

  Add(L"C:\\Tools\\edit.exe", L"Notes - Edit");
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, L"This winodw is already in the list");
  EXPECT_EQ(ui.shown[0].kind, MessageKind::kWarning);
  EXPECT_EQ(ui.shown[0].buttons, MessageButtons::kOk);
  EXPECT_EQ(fs::file_size(folder / "ExList.Dat"), ListEntry::kSize);
}

// What counts as the same window: the caption and the title, exactly; the folder does not count.
TEST_F(ListEditingTest, DuplicatesAreTheRowsWithTheSameCaptionAndTitle) {
  struct Case {
    const char* name;
    std::wstring path, title;
    bool duplicate;
  };
  const Case cases[] = {
      {"same program and title", L"C:\\Tools\\edit.exe", L"Notes", true},
      {"same file name in another folder", L"D:\\Other\\edit.exe", L"Notes", true},
      {"another title of the program", L"C:\\Tools\\edit.exe", L"Letter", false},
      {"title differing in case", L"C:\\Tools\\edit.exe", L"notes", false},
      {"file name differing in case", L"C:\\Tools\\Edit.exe", L"Notes", false},
      {"program on the list only from disk", L"C:\\Tools\\view.exe", L"Picture", false},
      {"an empty title like the entry from disk", L"C:\\Tools\\view.exe", L"", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    saved.ExcludeList().clear();
    ui.shown.clear();
    Add(L"C:\\Tools\\edit.exe", L"Notes");
    AddFromDisk(L"C:\\Tools\\view.exe");
    Add(c.path, c.title);
    EXPECT_EQ(ui.shown.size(), c.duplicate ? 1u : 0u);
    EXPECT_EQ(saved.ExcludeList().size(), c.duplicate ? 2u : 3u);
    EXPECT_EQ(ExcludeFileRows(), ExcludeRows());
  }
}

// A title the record cannot hold whole (too long, or outside the code page) is still recognised
// when the same window comes again, as it would be after the list was saved and loaded.
TEST_F(ListEditingTest, TitlesTheRecordShortensAreFoundAgain) {
  const std::wstring longTitle(300, L'x');
  const std::wstring foreignTitle = L"\u4e16\u754c";  // no Windows-1252 characters
  for (const std::wstring& title : {longTitle, foreignTitle}) {
    Add(L"C:\\a.exe", title);
    Add(L"C:\\a.exe", title);
  }
  EXPECT_EQ(ShownTexts(), std::vector<std::wstring>(2, kAlreadyInListWarning));
  EXPECT_EQ(ExcludeRows(), (std::vector<Row>{{L"a.exe", std::wstring(255, L'x'), L"yes"},
                                             {L"a.exe", L"??", L"yes"}}));
  saved.LoadExcludeList();
  Add(L"C:\\a.exe", longTitle);
  EXPECT_EQ(saved.ExcludeList().size(), 2u);
}

TEST_F(ListEditingTest, AddingWithNothingSelectedAsksForASelectionAndAddsNothing) {
  editor.AddToExcludeList(nullptr);
  EXPECT_EQ(ShownTexts(), (std::vector<std::wstring>{L"Please select an item first."}));
  EXPECT_TRUE(saved.ExcludeList().empty());
  EXPECT_FALSE(FileExists(paths.excludeListFile));
}

TEST_F(ListEditingTest, RowsTakeTheirPlaceByCaptionInTheUsersLocale) {
  for (const wchar_t* path :
       {L"C:\\zed.exe", L"C:\\Beta.exe", L"C:\\\u00e9cho.exe", L"C:\\alpha.exe", L"C:\\Alpha.exe",
        L"C:\\echo.exe", L"C:\\Echo.exe", L"C:\\\u00c9cho.exe", L"D:fox.exe"}) {
    Add(path, L"");
  }
  std::vector<std::wstring> captions;
  for (const Row& row : ExcludeRows()) captions.push_back(row.caption);
  // Letters first, whatever their case or accent; then unaccented, then lower case first.
  EXPECT_EQ(captions, (std::vector<std::wstring>{L"alpha.exe", L"Alpha.exe", L"Beta.exe",
                                                 L"echo.exe", L"Echo.exe", L"\u00e9cho.exe",
                                                 L"\u00c9cho.exe", L"fox.exe", L"zed.exe"}));
  EXPECT_EQ(ExcludeFileRows(), ExcludeRows());
}

TEST_F(ListEditingTest, ProgramsFromDiskHaveNoTitleAndMayComeTwice) {
  files.choices = {L"C:\\Program Files\\Mail\\mail.exe", std::nullopt,
                   L"C:\\Program Files\\Mail\\mail.exe"};
  for (int i = 0; i < 3; ++i) editor.AddApplicationFromDisk(files);
  EXPECT_EQ(files.shown, 3);
  EXPECT_TRUE(ui.shown.empty());
  const std::vector<ListEntry> stored = LoadListFile(paths.excludeListFile);
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[1].Path(textServices), L"C:\\Program Files\\Mail\\mail.exe");
  EXPECT_EQ(Rows(stored), (std::vector<Row>(2, {L"mail.exe", L"", L"yes"})));
}

TEST_F(ListEditingTest, ACancelledFileDialogWritesNothing) {
  editor.AddApplicationFromDisk(files);
  EXPECT_EQ(files.shown, 1);
  EXPECT_FALSE(FileExists(paths.excludeListFile));
}

TEST_F(ListEditingTest, TheAllWindowsFlagFlipsInMemoryOnly) {
  Add(L"C:\\a.exe", L"A");
  editor.ToggleAllWindows(0);
  EXPECT_EQ(ExcludeRows()[0].all, L"no");
  EXPECT_EQ(saved.ExcludeList()[0].bytes()[512], 0);
  EXPECT_EQ(ExcludeFileRows()[0].all, L"yes");  // written at the next save of the list
  editor.ToggleAllWindows(0);
  EXPECT_EQ(ExcludeRows()[0].all, L"yes");
  EXPECT_EQ(saved.ExcludeList()[0].bytes()[512], 1);

  // Nothing selected, or a row that is gone: nothing happens, nothing is asked.
  editor.ToggleAllWindows(std::nullopt);
  editor.ToggleAllWindows(1);
  EXPECT_EQ(ExcludeRows()[0].all, L"yes");
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_FALSE(editor.IsExcludeRow(std::nullopt));
  EXPECT_FALSE(editor.IsExcludeRow(1));
  EXPECT_TRUE(editor.IsExcludeRow(0));
}

TEST_F(ListEditingTest, AStoredFlagOfTwoTogglesToNo) {
  ListEntry::Bytes bytes = ListEntry(textServices, L"A", L"C:\\a.exe", true).bytes();
  bytes[512] = 2;
  SaveListFile(paths.excludeListFile, {ListEntry(bytes)});
  saved.LoadExcludeList();
  EXPECT_EQ(ExcludeRows()[0].all, L"yes");
  editor.ToggleAllWindows(0);
  EXPECT_EQ(ExcludeRows()[0].all, L"no");
}

TEST_F(ListEditingTest, RemovalAsksFirstAndWritesOnlyOnYes) {
  Add(L"C:\\b.exe", L"B");
  Add(L"C:\\a.exe", L"A");

  editor.RemoveExcludeEntry(std::nullopt);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, L"Please select an item first.");
  EXPECT_EQ(ui.shown[0].buttons, MessageButtons::kOk);

  ui.answers = {MessageAnswer::kCancel};
  editor.RemoveExcludeEntry(1);
  ASSERT_EQ(ui.shown.size(), 2u);
  EXPECT_EQ(ui.shown[1].text, L"The item: \"b.exe\" will be removed from the list!\nContinue?");
  EXPECT_EQ(ui.shown[1].kind, MessageKind::kWarning);
  EXPECT_EQ(ui.shown[1].buttons, MessageButtons::kYesCancel);
  EXPECT_EQ(ExcludeFileRows().size(), 2u);
  EXPECT_EQ(saved.ExcludeList().size(), 2u);

  ui.answers = {MessageAnswer::kYes};
  editor.RemoveExcludeEntry(1);
  EXPECT_EQ(ExcludeRows(), (std::vector<Row>{{L"a.exe", L"A", L"yes"}}));
  EXPECT_EQ(ExcludeFileRows(), ExcludeRows());
}

TEST_F(ListEditingTest, ClearingAsksFirstAndLeavesTheFileForTheNextSave) {
  Add(L"C:\\a.exe", L"A");
  Add(L"C:\\b.exe", L"B");
  editor.ClearExcludeList();  // the script is empty: Cancel
  EXPECT_EQ(saved.ExcludeList().size(), 2u);

  ui.answers = {MessageAnswer::kYes};
  editor.ClearExcludeList();
  EXPECT_EQ(ShownTexts(), std::vector<std::wstring>(
                              2,
                              L"All the items in the \"Do not hide\" list will be removed!\n"
                              L"Continue?"));
  EXPECT_TRUE(saved.ExcludeList().empty());
  EXPECT_EQ(ExcludeFileRows().size(), 2u);
  saved.SaveAll();
  EXPECT_EQ(fs::file_size(folder / "ExList.Dat"), 0u);
}

TEST_F(ListEditingTest, TheBringToTopListHoldsOneCopyOfTheDroppedEntry) {
  Add(L"C:\\b.exe", L"Second");
  Add(L"C:\\a.exe", L"First");
  editor.ToggleAllWindows(0);
  editor.ToggleAllWindows(0);

  editor.SetBringToTopEntry(PageList::kExclude, 1);
  EXPECT_EQ(BringToTopFileRows(), (std::vector<Row>{{L"b.exe", L"Second", L"no"}}));
  editor.SetBringToTopEntry(PageList::kExclude, 0);
  ASSERT_EQ(saved.BringToTopList().size(), 1u);
  EXPECT_EQ(saved.BringToTopList()[0].Path(textServices), L"C:\\a.exe");
  EXPECT_EQ(BringToTopFileRows(), Rows(saved.BringToTopList()));
  EXPECT_EQ(saved.ExcludeList().size(), 2u);  // a copy: the Do not hide row stays
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ListEditingTest, ABringToTopDropFromElsewhereOrWithoutSelectionChangesNothing) {
  Add(L"C:\\a.exe", L"A");
  editor.SetBringToTopEntry(PageList::kExclude, 0);
  for (PageList source : {PageList::kAvailableWindows, PageList::kBringToTop})
    editor.SetBringToTopEntry(source, 0);
  EXPECT_EQ(ShownTexts(),
            std::vector<std::wstring>(2, L"Please drag a window from the 'Do not hide list'!"));
  editor.SetBringToTopEntry(PageList::kExclude, std::nullopt);
  EXPECT_EQ(ui.shown.size(), 2u);
  EXPECT_EQ(BringToTopFileRows(), (std::vector<Row>{{L"a.exe", L"A", L"no"}}));
}

TEST_F(ListEditingTest, ClearingTheBringToTopListWritesAtOnceWithoutAsking) {
  Add(L"C:\\a.exe", L"A");
  editor.SetBringToTopEntry(PageList::kExclude, 0);
  editor.ClearBringToTopList();
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_TRUE(saved.BringToTopList().empty());
  EXPECT_EQ(fs::file_size(folder / "BttList.Dat"), 0u);
}

TEST_F(ListEditingTest, AFailedWriteKeepsTheEditAndThrows) {
  fs::remove_all(folder);  // the data folder is gone: nothing can be written
  EXPECT_THROW(Add(L"C:\\a.exe", L"A"), IoError);
  EXPECT_EQ(saved.ExcludeList().size(), 1u);
}

// A list that could not be read at start-up is never written over by an edit either.
TEST_F(ListEditingTest, EditsDoNotWriteOverAListThatFailedToLoad) {
  fs::create_directories(folder / "BttList.Dat");  // exists but cannot be read
  SavedState started{paths, settings, textServices};
  ListEditor startedEditor{started, textServices, ui};
  started.LoadExcludeList();
  EXPECT_THROW(started.LoadBringToTopList(), IoError);
  const CapturedWindow window = Window(L"C:\\a.exe", L"A");
  startedEditor.AddToExcludeList(&window);
  startedEditor.SetBringToTopEntry(PageList::kExclude, 0);
  startedEditor.ClearBringToTopList();
  EXPECT_TRUE(fs::is_directory(folder / "BttList.Dat"));
  EXPECT_EQ(ExcludeFileRows().size(), 1u);
}

TEST(DropRuleTest, OnlyVisibleWindowsToDoNotHideAndDoNotHideToBringToTop) {
  const PageList lists[] = {PageList::kAvailableWindows, PageList::kExclude, PageList::kBringToTop};
  int accepted = 0;
  for (PageList target : lists)
    for (PageList source : lists) accepted += AcceptsDrop(target, source) ? 1 : 0;
  EXPECT_EQ(accepted, 2);
  EXPECT_TRUE(AcceptsDrop(PageList::kExclude, PageList::kAvailableWindows));
  EXPECT_TRUE(AcceptsDrop(PageList::kBringToTop, PageList::kExclude));
}

}  // namespace
}  // namespace dpx
