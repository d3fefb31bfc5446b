#include <gtest/gtest.h>

#include "fakes/fake_text_services.h"
#include "hide/exclusion.h"

namespace dpx {
namespace {

class ExclusionTest : public ::testing::Test {
 protected:
  bool Protects(std::vector<ListEntry> entries, const std::wstring& title,
                const std::wstring& exePath) {
    return IsProtectedByList({1, title, exePath, 0}, entries, text);
  }
  ListEntry Entry(const std::wstring& title, const std::wstring& path, bool all) {
    return ListEntry(text, title, path, all);
  }

  fakes::FakeTextServices text;
};

TEST_F(ExclusionTest, TitleMatchIsExactAndCaseSensitive) {
  const auto entry = Entry(L"Untitled - Notepad", L"C:\\Windows\\notepad.exe", false);
  EXPECT_TRUE(Protects({entry}, L"Untitled - Notepad", L"C:\\Other\\x.exe"));
  EXPECT_FALSE(Protects({entry}, L"untitled - notepad", L"C:\\Windows\\notepad.exe"));
  EXPECT_FALSE(Protects({entry}, L"Untitled - Notepad2", L""));
}

TEST_F(ExclusionTest, AllWindowsEntryMatchesAnyPathContainingItsFileNameInAnyCase) {
  const auto entry = Entry(L"Some title", L"C:\\Windows\\notepad.exe", true);
  EXPECT_TRUE(Protects({entry}, L"a", L"C:\\Windows\\notepad.exe"));
  EXPECT_TRUE(Protects({entry}, L"b", L"D:\\Tools\\MyNotepad.EXE"));
  EXPECT_TRUE(Protects({entry}, L"Some title", L""));  // the title still protects
  EXPECT_FALSE(Protects({entry}, L"c", L"C:\\Windows\\wordpad.exe"));
}

TEST_F(ExclusionTest, PathProtectsOnlyForAllWindowsEntries) {
  EXPECT_FALSE(Protects({Entry(L"Doc", L"C:\\Windows\\notepad.exe", false)}, L"Other",
                        L"C:\\Windows\\notepad.exe"));
}

TEST_F(ExclusionTest, FlagByteTwoCountsAsAllWindows) {
  ListEntry::Bytes bytes = Entry(L"", L"C:\\a\\tool.exe", false).bytes();
  bytes[512] = 2;
  EXPECT_TRUE(Protects({ListEntry(bytes)}, L"x", L"C:\\a\\tool.exe"));
}

TEST_F(ExclusionTest, EmptyNamesAndPathsMatchNothing) {
  // Added from disk: empty title, protects by path only.
  const auto fromDisk = Entry(L"", L"C:\\apps\\player.exe", true);
  EXPECT_FALSE(Protects({fromDisk}, L"", L""));
  EXPECT_FALSE(Protects({fromDisk}, L"Player", L""));
  EXPECT_TRUE(Protects({fromDisk}, L"Player", L"C:\\apps\\player.exe"));
  // A path ending in a separator has no file name, which would otherwise be found everywhere.
  EXPECT_FALSE(Protects({Entry(L"", L"C:\\apps\\", true)}, L"x", L"C:\\apps\\player.exe"));
  EXPECT_FALSE(Protects({}, L"x", L"C:\\apps\\player.exe"));
}

TEST_F(ExclusionTest, ComparesTheConvertedBackStrings) {
  // The 300-character title is stored as its first 255 and no longer equals the window's.
  const std::wstring longTitle(300, L'x');
  EXPECT_FALSE(Protects({Entry(longTitle, L"", false)}, longTitle, L""));
  EXPECT_TRUE(Protects({Entry(longTitle, L"", false)}, std::wstring(255, L'x'), L""));
  // A character outside the code page is stored as '?'.
  EXPECT_FALSE(Protects({Entry(L"Doc \u4e2d", L"", false)}, L"Doc \u4e2d", L""));
  EXPECT_TRUE(Protects({Entry(L"Doc \u4e2d", L"", false)}, L"Doc ?", L""));
}

}  // namespace
}  // namespace dpx
