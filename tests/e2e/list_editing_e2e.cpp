// The real dpx.exe under Wine: the user builds the Do not hide and Bring to TOP lists on the
// Windows page with the mouse and the keyboard, and "ExList.Dat" and "BttList.Dat" change when
// they should. The lists' rows are read by a third process; the pointer's cursor from X.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "dpx_windows.h"
#include "harness.h"
#include "session_state.h"
#include "x_cursor.h"

namespace dpx::e2e {
namespace {

namespace fs = std::filesystem;

// Control ids of the Windows page's lists (ui/win32/resource.h).
constexpr int kVisibleWindowsList = 1101;
constexpr int kExcludeList = 1110;
constexpr int kBringToTopList = 1112;

constexpr std::size_t kRecordSize = 513;

struct Record {
  std::string title;
  std::string path;
  int flag = 0;
};

std::string RecordBytes(const std::string& title, const std::string& path, int flag) {
  std::string bytes(kRecordSize, '\0');
  bytes[0] = static_cast<char>(title.size());
  title.copy(&bytes[1], title.size());
  bytes[256] = static_cast<char>(path.size());
  path.copy(&bytes[257], path.size());
  bytes[512] = static_cast<char>(flag);
  return bytes;
}

std::vector<Record> Records(const fs::path& file) {
  const std::string bytes = FileText(file);
  std::vector<Record> records;
  for (std::size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize) {
    const auto length = [&](std::size_t offset) {
      return static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + offset]));
    };
    records.push_back({bytes.substr(at + 1, length(0)), bytes.substr(at + 257, length(256)),
                       static_cast<unsigned char>(bytes[at + 512])});
  }
  return records;
}

struct Row {
  int x = 0, y = 0, width = 0, height = 0;
  bool selected = false;
  std::vector<std::string> cells;  // "Application Name", "Window Title", ("All")
  int CenterX() const { return x + width / 4; }
  int CenterY() const { return y + height / 2; }
};

struct ListView {
  bool found = false;
  int x = 0, y = 0, width = 0, height = 0;
  std::vector<Row> rows;
  // A point in the list below its rows.
  int EmptyX() const { return x + width / 2; }
  int EmptyY() const { return y + height * 3 / 4; }
};

// A list of the shown main window as a third process reads it.
ListView ReadList(int controlId) {
  Program probe = StartWindowsProgram("tests/win32/dpx_window_probe.exe",
                                      {"rows:" + std::to_string(controlId)});
  probe.Wait(20s);
  std::istringstream output(probe.Output());
  ListView list;
  for (std::string line; std::getline(output, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    std::string kind;
    fields >> kind;
    if (kind == "list") {
      list.found = true;
      fields >> list.x >> list.y >> list.width >> list.height;
    } else if (kind == "row") {
      Row row;
      int selected = 0;
      fields >> row.x >> row.y >> row.width >> row.height >> selected;
      row.selected = selected != 0;
      std::string cells;
      std::getline(fields >> std::ws, cells);
      std::istringstream split(cells);
      for (std::string cell; std::getline(split, cell, '\t');) row.cells.push_back(cell);
      row.cells.resize(3);
      list.rows.push_back(row);
    }
  }
  return list;
}

std::optional<Row> RowTitled(int controlId, const std::string& title) {
  for (const Row& row : ReadList(controlId).rows)
    if (row.cells[1] == title) return row;
  return std::nullopt;
}

std::vector<std::string> Titles(int controlId) {
  std::vector<std::string> titles;
  for (const Row& row : ReadList(controlId).rows) titles.push_back(row.cells[1]);
  return titles;
}

void Xdotool(const std::string& arguments) {
  Run("xdotool " + arguments);
}

std::string At(int x, int y) {
  return " mousemove " + std::to_string(x) + " " + std::to_string(y) + " sleep 0.2";
}

// Presses the button on a row, moves past the drag threshold and on to the target, where
// `overTarget` may look at the screen, then lets go.
void Drag(const Row& row, int toX, int toY, const std::function<void()>& overTarget = {}) {
  const int x = row.CenterX(), y = row.CenterY();
  Xdotool(At(x, y) + " mousedown 1 sleep 0.3" + At(x + 10, y + 5) +
          At((x + toX) / 2, (y + toY) / 2) + At(toX, toY) + " sleep 0.3");
  if (overTarget) overTarget();
  Xdotool(At(toX, toY) + " mouseup 1");
  std::this_thread::sleep_for(500ms);
}

// Opens a list's pop-up menu on a point with the right button and picks an item by its keys
// (Down from the top, Up from the bottom; separators are skipped).
void PickFromMenu(int x, int y, const std::string& keys) {
  Xdotool(At(x, y) + " click 3 sleep 0.8 key " + keys);
  std::this_thread::sleep_for(500ms);
}

// Opens the menu with its first item highlighted (showing its hint, when it has one), keeps a
// screenshot and closes it.
void ShowMenu(int x, int y, const std::string& screenshot) {
  PickFromMenu(x, y, "Down sleep 0.5");
  Screenshot((ScreenshotFolder() / screenshot).string());
  Xdotool("key Escape");
  std::this_thread::sleep_for(300ms);
}

void ClickRow(const Row& row) {
  Xdotool(At(row.CenterX(), row.CenterY()) + " click 1 sleep 0.3");
}

bool TextShown(const std::string& title, const std::string& text) {
  for (const std::string& shown : WindowTexts(title))
    if (shown.find(text) != std::string::npos) return true;
  return false;
}

// The Windows path of a program of the Windows build, as DPX finds it for a running process.
std::string WindowsPathOf(const std::string& relativeExe) {
  std::string path = "Z:" + CurrentSession().windowsBuild + "/" + relativeExe;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

constexpr char kTestWindows[] = "tests/win32/dpx_test_windows.exe";

class ListEditingE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    dataFolder = fs::path(AppDataFolder()) / "Orvalen" / "DPX";
    fs::remove_all(dataFolder);
    fs::create_directories(dataFolder);
  }

  void WriteList(const std::string& file, const std::vector<std::string>& records) {
    std::ofstream out(dataFolder / file, std::ios::binary);
    for (const std::string& record : records) out << record;
  }

  // Test windows from two processes of one program, then DPX with its main window shown.
  void StartWithWindows() {
    keeper.emplace(StartWindowsProgram(kTestWindows, {"--window", "Keep Me"}));
    other.emplace(StartWindowsProgram(kTestWindows, {"--window", "Hide Me"}));
    ASSERT_FALSE(WaitForWindow("Keep Me").empty());
    ASSERT_FALSE(WaitForWindow("Hide Me").empty());
    StartDpx();
  }

  void StartDpx() {
    dpx.emplace(StartWindowsProgram("dpx.exe"));
    ASSERT_TRUE(WaitUntil([&] { return !(main = ShownMainWindow()).empty(); }));
    ASSERT_TRUE(WaitUntil([] { return ReadList(kExcludeList).found; }));
  }

  std::uintmax_t Size(const std::string& file) {
    return fs::exists(dataFolder / file) ? fs::file_size(dataFolder / file) : 0;
  }

  // Answers the warning box that must be up, once it says `text`.
  void AnswerWarning(const std::string& text, const std::string& key) {
    const std::string box = WaitForWindow("Warning");
    ASSERT_FALSE(box.empty()) << "no warning \"" << text << "\"";
    EXPECT_TRUE(WaitUntil([&] { return TextShown("Warning", text); }, 5s)) << text;
    ASSERT_TRUE(Answer(box, key));
  }

  fs::path dataFolder;
  std::optional<Program> keeper, other, dpx;
  std::string main;
};

TEST_F(ListEditingE2e, ADraggedWindowIsAddedOnceWrittenAtOnceAndStaysThroughAHide) {
  StartWithWindows();
  const std::optional<Row> keep = RowTitled(kVisibleWindowsList, "Keep Me");
  ASSERT_TRUE(keep) << "the visible-windows list does not show the window";
  const ListView exclude = ReadList(kExcludeList);
  const ListView bringToTop = ReadList(kBringToTopList);

  // The pointer says where the row may go: onto the Do not hide list, and nowhere else.
  // DPX sets the cursor when the pointer's move reaches it: each read waits for the shape it
  // expects (and keeps the last one seen when it never comes).
  CursorImage overSource, overExclude, overBringToTop;
  const auto cursorOnceItIs = [](const std::function<bool(const CursorImage&)>& expected) {
    CursorImage cursor;
    WaitUntil([&] { return expected(cursor = CurrentCursor()); }, 3s);
    return cursor;
  };
  const auto refused = [](const CursorImage& cursor) { return cursor.name == "not-allowed"; };
  Drag(*keep, exclude.EmptyX(), exclude.EmptyY(), [&] {
    overExclude = cursorOnceItIs([&](const CursorImage& cursor) { return !refused(cursor); });
    Xdotool(At(bringToTop.EmptyX(), bringToTop.EmptyY()));
    overBringToTop = cursorOnceItIs(refused);
    Xdotool(At(keep->CenterX(), keep->CenterY() + 30));
    overSource = cursorOnceItIs(refused);
    Xdotool(At(exclude.EmptyX(), exclude.EmptyY()));
    cursorOnceItIs([&](const CursorImage& cursor) { return !refused(cursor); });
  });
  SaveCursor(overExclude, (ScreenshotFolder() / "lists-cursor-accepted.png").string());
  SaveCursor(overBringToTop, (ScreenshotFolder() / "lists-cursor-refused.png").string());
  EXPECT_EQ(overBringToTop, overSource);
  EXPECT_NE(overExclude, overBringToTop);
  EXPECT_EQ(overBringToTop.name, "not-allowed");
  EXPECT_EQ(overExclude.hotX, 0);  // an arrow, pointing with its tip
  EXPECT_EQ(overExclude.hotY, 0);

  ASSERT_TRUE(WaitUntil([&] { return Size("ExList.Dat") == kRecordSize; }, 5s));
  const std::vector<Record> stored = Records(dataFolder / "ExList.Dat");
  EXPECT_EQ(stored[0].title, "Keep Me");
  EXPECT_EQ(stored[0].path, WindowsPathOf(kTestWindows));
  EXPECT_EQ(stored[0].flag, 1);
  const std::optional<Row> added = RowTitled(kExcludeList, "Keep Me");
  ASSERT_TRUE(added);
  EXPECT_EQ(added->cells, (std::vector<std::string>{"dpx_test_windows.exe", "Keep Me", "yes"}));

  // The same window again: the warning, and the file stays as it was.
  Drag(*keep, exclude.EmptyX(), exclude.EmptyY());
  AnswerWarning("This winodw is already in the list", "Return");
  EXPECT_EQ(Size("ExList.Dat"), kRecordSize);
  EXPECT_EQ(Titles(kExcludeList), (std::vector<std::string>{"Keep Me"}));

  // "This window" only: the other window of the same program is no longer protected.
  ShowMenu(added->CenterX(), added->CenterY(), "lists-menu-do-not-hide.png");
  PickFromMenu(added->CenterX(), added->CenterY(), "Down Return");
  ASSERT_TRUE(WaitUntil(
      [] {
        const std::optional<Row> row = RowTitled(kExcludeList, "Keep Me");
        return row && row->cells[2] == "no";
      },
      5s));
  EXPECT_EQ(Records(dataFolder / "ExList.Dat")[0].flag, 1) << "written before the next save";

  const std::string keepWindow = WaitForWindow("Keep Me");
  ASSERT_TRUE(PressAndWait("ctrl+grave", keepWindow, [] { return !XWindowShown("Hide Me"); }))
      << "no hide";
  Screenshot((ScreenshotFolder() / "lists-hidden-but-protected.png").string());
  EXPECT_TRUE(XWindowShown("Keep Me"));
  EXPECT_TRUE(WaitUntil([] { return ShownMainWindow().empty(); }, 5s));
  EXPECT_TRUE(PressAndWait("ctrl+grave", keepWindow, [] { return XWindowShown("Hide Me"); }))
      << "no restore";
}

TEST_F(ListEditingE2e, DeleteAndClearListAskFirstAndWriteWhenTheySay) {
  WriteList("ExList.Dat", {RecordBytes("Alpha", "C:\\Tools\\a.exe", 1),
                           RecordBytes("Beta", "C:\\Tools\\b.exe", 0)});
  StartDpx();
  ASSERT_EQ(Titles(kExcludeList), (std::vector<std::string>{"Alpha", "Beta"}));

  // Delete acts when the key is released; Cancel keeps the entry.
  ClickRow(*RowTitled(kExcludeList, "Beta"));
  Xdotool("key Delete");
  AnswerWarning("The item: \"b.exe\" will be removed from the list!", "Escape");
  EXPECT_EQ(Size("ExList.Dat"), 2 * kRecordSize);
  Xdotool("key Delete");
  Screenshot((ScreenshotFolder() / "lists-remove-question.png").string());
  AnswerWarning("The item: \"b.exe\" will be removed from the list!", "Return");
  ASSERT_TRUE(WaitUntil([&] { return Size("ExList.Dat") == kRecordSize; }, 5s));
  EXPECT_EQ(Records(dataFolder / "ExList.Dat")[0].title, "Alpha");
  EXPECT_EQ(Titles(kExcludeList), (std::vector<std::string>{"Alpha"}));

  // Delete with nothing selected asks for a selection.
  Xdotool("key Delete");
  AnswerWarning("Please select an item first.", "Return");

  // "Clear List" empties the list; the file keeps the entry until the next save, here "&Hide".
  const ListView exclude = ReadList(kExcludeList);
  PickFromMenu(exclude.EmptyX(), exclude.EmptyY(), "Down Down Down Return");
  AnswerWarning("All the items in the \"Do not hide\" list will be removed!", "Return");
  ASSERT_TRUE(WaitUntil([] { return ReadList(kExcludeList).rows.empty(); }, 5s));
  EXPECT_EQ(Size("ExList.Dat"), kRecordSize);
  ASSERT_TRUE(PressUntil(main, "alt+h", [] { return XWindowShown("Information"); }));
  ASSERT_TRUE(Answer(WaitForWindow("Information"), "Return"));
  EXPECT_TRUE(WaitUntil([&] { return Size("ExList.Dat") == 0; }, 5s));
  EXPECT_TRUE(fs::exists(dataFolder / "ExList.Dat"));
}

TEST_F(ListEditingE2e, AProgramFromDiskComesThroughTheOpenDialog) {
  StartDpx();
  const ListView exclude = ReadList(kExcludeList);
  PickFromMenu(exclude.EmptyX(), exclude.EmptyY(), "Up Return");
  const std::string dialog = WaitForWindow("Open");
  ASSERT_FALSE(dialog.empty()) << "no file dialog";
  Screenshot((ScreenshotFolder() / "lists-open-dialog.png").string());
  const std::string program = WindowsPathOf("tests/win32/dpx_window_probe.exe");
  // Typed again until the file name field holds all of it: under Wine the first keys can reach
  // the dialog before its field has the focus.
  ASSERT_TRUE(WaitUntil(
      [&] {
        Xdotool("windowfocus --sync " + dialog + " key End shift+Home type --delay 20 '" + program +
                "'");
        const std::vector<std::string> texts = WindowTexts("Open");
        return std::find(texts.begin(), texts.end(), program) != texts.end();
      },
      30s))
      << "the file name field never held " << program;
  Xdotool("key Return");
  ASSERT_TRUE(WaitUntil([&] { return Size("ExList.Dat") == kRecordSize; }, 10s));
  const Record stored = Records(dataFolder / "ExList.Dat")[0];
  EXPECT_EQ(stored.title, "");
  EXPECT_EQ(stored.path, program);
  EXPECT_EQ(stored.flag, 1);
  EXPECT_EQ(ReadList(kExcludeList).rows.at(0).cells,
            (std::vector<std::string>{"dpx_window_probe.exe", "", "yes"}));
}

TEST_F(ListEditingE2e, ADoNotHideEntryDraggedOntoBringToTopIsItsOneEntry) {
  WriteList("ExList.Dat", {RecordBytes("Notes", "C:\\Tools\\notes.exe", 1),
                           RecordBytes("Mail", "C:\\Tools\\mail.exe", 1)});
  StartDpx();
  const ListView bringToTop = ReadList(kBringToTopList);
  for (const char* title : {"Notes", "Mail"})
    Drag(*RowTitled(kExcludeList, title), bringToTop.EmptyX(), bringToTop.EmptyY());
  ASSERT_TRUE(WaitUntil([&] { return Titles(kBringToTopList).size() == 1; }, 5s));
  EXPECT_EQ(ReadList(kBringToTopList).rows[0].cells,
            (std::vector<std::string>{"mail.exe", "Mail", ""}));
  ASSERT_EQ(Size("BttList.Dat"), kRecordSize);
  const Record stored = Records(dataFolder / "BttList.Dat")[0];
  EXPECT_EQ(stored.title, "Mail");
  EXPECT_EQ(stored.path, "C:\\Tools\\mail.exe");
  EXPECT_EQ(stored.flag, 0);

  // The page and the menus, for a person to look at.
  Screenshot((ScreenshotFolder() / "lists-windows-page.png").string());
  ShowMenu(bringToTop.EmptyX(), bringToTop.EmptyY(), "lists-menu-bring-to-top.png");
  const ListView visible = ReadList(kVisibleWindowsList);
  ShowMenu(visible.EmptyX(), visible.EmptyY(), "lists-menu-visible-windows.png");

  // A Bring to TOP row is taken nowhere.
  const ListView exclude = ReadList(kExcludeList);
  Drag(*RowTitled(kBringToTopList, "Mail"), exclude.EmptyX(), exclude.EmptyY());
  EXPECT_EQ(Titles(kExcludeList), (std::vector<std::string>{"Mail", "Notes"}));
  EXPECT_EQ(Titles(kBringToTopList), (std::vector<std::string>{"Mail"}));

  // Delete empties the Bring to TOP list at once, without asking.
  ClickRow(*RowTitled(kBringToTopList, "Mail"));
  Xdotool("key Delete");
  EXPECT_TRUE(WaitUntil([&] { return Size("BttList.Dat") == 0; }, 5s));
  EXPECT_TRUE(ReadList(kBringToTopList).rows.empty());
  EXPECT_FALSE(XWindowShown("Warning"));
}

TEST_F(ListEditingE2e, TheVisibleWindowsMenuAddsTheRowUnderThePointer) {
  StartWithWindows();
  const std::optional<Row> other = RowTitled(kVisibleWindowsList, "Hide Me");
  ASSERT_TRUE(other);
  PickFromMenu(other->CenterX(), other->CenterY(), "Down Return");
  ASSERT_TRUE(WaitUntil([&] { return Size("ExList.Dat") == kRecordSize; }, 5s));
  EXPECT_EQ(Records(dataFolder / "ExList.Dat")[0].title, "Hide Me");
}

}  // namespace
}  // namespace dpx::e2e
