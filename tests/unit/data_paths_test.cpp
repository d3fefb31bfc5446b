#include <gtest/gtest.h>

#include "app/data_paths.h"
#include "fakes/fake_system_folders.h"

namespace dpx {
namespace {

struct PathsCase {
  std::optional<std::wstring> applicationData;
  std::wstring programFile;
  std::wstring dataFolder;
  std::wstring programFolder;
};
void PrintTo(const PathsCase& c, std::ostream* out) {
  *out << ::testing::PrintToString(c.programFile);
}

class DataPathsTest : public ::testing::TestWithParam<PathsCase> {};

TEST_P(DataPathsTest, PutsTheFilesInTheDataFolderAndCreatesIt) {
  fakes::FakeSystemFolders folders;
  folders.applicationData = GetParam().applicationData;
  folders.programFile = GetParam().programFile;

  const DataPaths paths = ComputeDataPaths(folders);

  EXPECT_EQ(paths.dataFolder, GetParam().dataFolder);
  EXPECT_EQ(paths.settingsFile, GetParam().dataFolder + L"dpx.dat");
  EXPECT_EQ(paths.excludeListFile, GetParam().dataFolder + L"ExList.Dat");
  EXPECT_EQ(paths.bringToTopListFile, GetParam().dataFolder + L"BttList.Dat");
  EXPECT_EQ(paths.programFolder, GetParam().programFolder);
  EXPECT_EQ(paths.helpFile, GetParam().programFolder + L"\\Help.chm");
  EXPECT_EQ(folders.createdFolders, std::vector<std::wstring>{GetParam().dataFolder});
}

INSTANTIATE_TEST_SUITE_P(
    Folders, DataPathsTest,
    ::testing::Values(
        PathsCase{L"C:\\Users\\Ann\\AppData\\Roaming", L"C:\\Program Files\\DPX\\dpx.exe",
                  L"C:\\Users\\Ann\\AppData\\Roaming\\Orvalen\\DPX\\", L"C:\\Program Files\\DPX"},
        // A folder that already ends in a backslash gets no second one.
        PathsCase{L"D:\\", L"D:\\dpx.exe", L"D:\\Orvalen\\DPX\\", L"D:"},
        // Without the application-data folder the data folder is relative to the current one.
        PathsCase{std::nullopt, L"\\\\server\\tools\\dpx.exe", L"Orvalen\\DPX\\",
                  L"\\\\server\\tools"}));

TEST(DataPathsFailureTest, AFolderThatCannotBeCreatedIsNotAnError) {
  fakes::FakeSystemFolders folders;
  folders.canCreate = false;
  EXPECT_EQ(ComputeDataPaths(folders).settingsFile,
            L"C:\\Users\\Ann\\AppData\\Roaming\\Orvalen\\DPX\\dpx.dat");
}

}  // namespace
}  // namespace dpx
