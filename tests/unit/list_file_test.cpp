#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fakes/fake_text_services.h"
#include "lists/list_file.h"
#include "platform/file_io.h"

namespace dpx {
namespace {

namespace fs = std::filesystem;

class ListFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("dpx_list_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    file = folder / "ExList.Dat";
  }
  void TearDown() override {
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder);
  }

  void WriteBytes(const std::vector<unsigned char>& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<unsigned char> Bytes() { return ReadWholeFile(file.wstring()); }
  std::vector<unsigned char> Records(std::size_t count, std::size_t extra = 0) {
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i < count; ++i) {
      const ListEntry entry(text, L"Window " + std::to_wstring(i),
                            L"C:\\app" + std::to_wstring(i) + L".exe", i % 2);
      bytes.insert(bytes.end(), entry.bytes().begin(), entry.bytes().end());
    }
    bytes.resize(bytes.size() + extra, 0xAB);
    return bytes;
  }

  fakes::FakeTextServices text;
  fs::path folder;
  fs::path file;
};

// The read's limit, at a chunk's edge: exactly the limit is read whole, one byte more is refused.
TEST_F(ListFileTest, ReadWholeFileReadsUpToItsLimitAndRefusesMore) {
  constexpr std::size_t limit = 64 * 1024;
  WriteBytes(std::vector<unsigned char>(limit, 0x41));
  EXPECT_EQ(ReadWholeFile(file.wstring(), limit).size(), limit);
  WriteBytes(std::vector<unsigned char>(limit + 1, 0x41));
  EXPECT_THROW(ReadWholeFile(file.wstring(), limit), IoError);
  EXPECT_EQ(ReadWholeFile(file.wstring()).size(), limit + 1);
}

TEST_F(ListFileTest, MissingFileLoadsNothing) {
  EXPECT_TRUE(LoadListFile(file.wstring()).empty());
}

TEST_F(ListFileTest, OnlyCompleteRecordsLoadInFileOrder) {
  struct Case {
    std::size_t bytes;
    std::size_t entries;
  };
  for (const Case c :
       {Case{1026, 2}, Case{1030, 2}, Case{500, 0}, Case{0, 0}, Case{513 * 40, 40}}) {
    WriteBytes(Records(c.bytes / 513, c.bytes % 513));
    const auto entries = LoadListFile(file.wstring());
    ASSERT_EQ(entries.size(), c.entries) << c.bytes << " bytes";
    for (std::size_t i = 0; i < entries.size(); ++i)
      EXPECT_EQ(entries[i].Title(text), L"Window " + std::to_wstring(i));
  }
}

TEST_F(ListFileTest, SaveWritesTheRecordsBackByteForByte) {
  const auto original = Records(3);
  WriteBytes(original);
  SaveListFile(file.wstring(), LoadListFile(file.wstring()));
  EXPECT_EQ(Bytes(), original);
}

TEST_F(ListFileTest, EmptyListSavesAnEmptyFile) {
  WriteBytes(Records(2));
  SaveListFile(file.wstring(), {});
  ASSERT_TRUE(fs::exists(file));
  EXPECT_EQ(fs::file_size(file), 0u);
}

TEST_F(ListFileTest, FailedSaveRaisesAndKeepsTheOldFile) {
  const auto original = Records(2);
  WriteBytes(original);
  // The temporary sibling cannot be created where a folder of that name stands.
  fs::create_directory(folder / "ExList.Dat.tmp");
  EXPECT_THROW(SaveListFile(file.wstring(), {ListEntry(text, L"new", L"", false)}), IoError);
  EXPECT_EQ(Bytes(), original);
}

TEST_F(ListFileTest, UnreadableFileRaises) {
  fs::create_directory(file);  // exists, but cannot be read as a file
  EXPECT_THROW(LoadListFile(file.wstring()), IoError);
}

}  // namespace
}  // namespace dpx
