#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "hide/hide_journal.h"
#include "hide/hide_journal_file.h"

namespace dpx {
namespace {

HideJournal FullJournal() {
  HideJournal journal;
  journal.windows = {{0x10020, 0x40100, L"C:\\Program Files\\Edit\\edit.exe"},
                     {0xffffffffffffULL, 0, L""},
                     {0x7, 0x80, L"C:\\odd%name\\line\nbreak\\\u00e9\U0001F600.exe"}};
  journal.surfaces = {true, false, true};
  journal.savedVolume = VolumeState{65535, true};
  journal.displaySettings = DisplaySettings{{1920, 1080, 32, 60}, {0, 1, 0xfe, 0xff}};
  journal.wallpaperPath = L"C:\\Users\\me\\Pictures\\beach 100%.jpg";
  return journal;
}

void ExpectSame(const HideJournal& a, const HideJournal& b) {
  EXPECT_EQ(a.windows, b.windows);
  EXPECT_EQ(a.surfaces, b.surfaces);
  EXPECT_EQ(a.savedVolume, b.savedVolume);
  ASSERT_EQ(a.displaySettings.has_value(), b.displaySettings.has_value());
  if (a.displaySettings) {
    EXPECT_EQ(a.displaySettings->mode, b.displaySettings->mode);
    EXPECT_EQ(a.displaySettings->record, b.displaySettings->record);
  }
  EXPECT_EQ(a.wallpaperPath, b.wallpaperPath);
}

TEST(HideJournalTest, RoundTripsFullAndEmptyJournals) {
  HideJournal emptyWallpaper;
  emptyWallpaper.wallpaperPath = L"";  // the wallpaper was none: still put back as none
  emptyWallpaper.displaySettings = DisplaySettings{{800, 600, 16, 75}, {}};
  for (const HideJournal& journal : {FullJournal(), HideJournal{}, emptyWallpaper}) {
    const std::string text = FormatHideJournal(journal);
    const auto parsed = ParseHideJournal(text);
    ASSERT_TRUE(parsed) << text;
    ExpectSame(*parsed, journal);
  }
}

TEST(HideJournalTest, WritesOneReadableLinePerRecord) {
  HideJournal journal;
  journal.windows = {{0x1a2b, 0x100, L"C:\\a b\\x.exe"}};
  journal.savedVolume = VolumeState{32768, false};
  EXPECT_EQ(FormatHideJournal(journal),
            "DPX hide journal 1\n"
            "window 0x1a2b 0x100 C:\\a b\\x.exe\n"
            "surfaces 0 0 0\n"
            "volume 32768 0\n"
            "end\n");
}

TEST(HideJournalTest, RefusesEveryCutOfAWholeJournal) {
  const std::string text = FormatHideJournal(FullJournal());
  for (std::size_t length = 0; length < text.size(); ++length)
    EXPECT_FALSE(ParseHideJournal(std::string_view(text).substr(0, length))) << length;
}

TEST(HideJournalTest, RefusesDamagedJournals) {
  const std::string good = FormatHideJournal(FullJournal());
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
  };
  const std::vector<std::string> damaged = {
      replaced("journal 1", "journal 2"),            // another version
      replaced("window 0x10020", "window 0x0"),      // no window
      replaced("window 0x10020", "window 10020"),    // not hexadecimal
      replaced("0x40100", "0x140100000"),            // style beyond 32 bits
      replaced("0x10020", "0x10000000000000000"),    // handle beyond 64 bits
      replaced("surfaces 1 0 1", "surfaces 1 0 2"),  // not a flag
      replaced("surfaces 1 0 1", "surfaces 1 0"),    // too few
      replaced("surfaces 1 0 1\n", ""),              // missing
      replaced("volume 65535", "volume 65536"),      // beyond the volume range
      replaced("volume 65535", "volume -1"),
      replaced("0001feff", "0001fef"),               // odd record digits
      replaced("0001feff", "0001fexx"),              // not hexadecimal
      replaced("beach 100%25", "beach 100%2"),       // cut escape
      replaced("beach", "be\tach"),                  // a raw control character
      replaced("\xc3\xa9", "\xc3("),                 // broken UTF-8
      replaced("\xc3\xa9", "\xed\xa0\x80"),          // an encoded surrogate
      replaced("\xc3\xa9", "\xc0\xa9"),              // an overlong form
      replaced("end\n", "end\nwindow 0x1 0x0 x\n"),  // anything after the end
      replaced("end\n", "end"),                      // the last line unfinished
      replaced("volume 65535 1\n", ""),              // left out: fine, checked below
  };
  for (std::size_t i = 0; i + 1 < damaged.size(); ++i) {
    EXPECT_FALSE(ParseHideJournal(damaged[i])) << i << ": " << damaged[i];
  }
  // The side records come in one order, each once.
  std::string twice = good;
  twice.insert(twice.find("end\n"), "wallpaper again\n");
  EXPECT_FALSE(ParseHideJournal(twice));
  std::string reordered = replaced("volume 65535 1\n", "");
  reordered.insert(reordered.find("end\n"), "volume 65535 1\n");
  EXPECT_FALSE(ParseHideJournal(reordered));
  // A side record that was simply left out is fine.
  EXPECT_TRUE(ParseHideJournal(damaged.back()));
}

class HideJournalFileTest : public ::testing::Test {
 protected:
  HideJournalFileTest() {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  ~HideJournalFileTest() override { std::filesystem::remove_all(folder); }

  std::filesystem::path Path() const { return folder / "HideJournal.dat"; }
  std::string Contents(const std::filesystem::path& path) const {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  void Write(const std::string& bytes) const { std::ofstream(Path(), std::ios::binary) << bytes; }

  std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                 ("dpx-journal-" + std::to_string(::getpid()) + "-" +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
  HideJournalFile file{Path().wstring()};
};

TEST_F(HideJournalFileTest, SavesLoadsAndRemoves) {
  EXPECT_FALSE(file.Load().journal);
  EXPECT_FALSE(file.Load().damaged);
  file.Save(FullJournal());
  EXPECT_EQ(Contents(Path()), FormatHideJournal(FullJournal()));
  EXPECT_FALSE(std::filesystem::exists(Path().string() + ".tmp"));
  const auto loaded = file.Load();
  ASSERT_TRUE(loaded.journal);
  ExpectSame(*loaded.journal, FullJournal());
  file.Remove();
  EXPECT_FALSE(std::filesystem::exists(Path()));
  file.Remove();  // nothing there: no error
}

TEST_F(HideJournalFileTest, SetsADamagedJournalAsideInsteadOfTrustingIt) {
  const std::string cut = FormatHideJournal(FullJournal()).substr(0, 40);
  Write(cut);
  const auto loaded = file.Load();
  EXPECT_TRUE(loaded.damaged);
  EXPECT_FALSE(loaded.journal);
  EXPECT_FALSE(std::filesystem::exists(Path()));
  EXPECT_EQ(Contents(Path().string() + ".damaged"), cut);
  // The next start finds nothing left to replay.
  EXPECT_FALSE(file.Load().damaged);
}

TEST_F(HideJournalFileTest, AJournalOverTheSizeCapIsSetAsideUnreadEvenWhenValid) {
  // Windows with paths as long as the format allows, enough of them to pass the cap together.
  const std::wstring path = L"C:\\" + std::wstring(32000, L'p') + L".exe";
  HideJournal huge;
  for (std::uint32_t i = 1; i <= 600; ++i) huge.windows.push_back({i, 0x100, path});
  const std::string text = FormatHideJournal(huge);
  ASSERT_GT(text.size(), kMaxJournalBytes);
  ASSERT_TRUE(ParseHideJournal(text));
  Write(text);

  const auto loaded = file.Load();

  EXPECT_TRUE(loaded.damaged);
  EXPECT_FALSE(loaded.journal);
  EXPECT_FALSE(std::filesystem::exists(Path()));
  EXPECT_EQ(std::filesystem::file_size(Path().string() + ".damaged"), text.size());
  // A journal of a real hide's size is read as before.
  HideJournal small;
  small.windows.push_back({1, 0x100, path});
  Write(FormatHideJournal(small));
  EXPECT_TRUE(file.Load().journal);
}

}  // namespace
}  // namespace dpx
