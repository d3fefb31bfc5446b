#include "app/data_paths.h"

namespace dpx {
namespace {

// The program file's folder: everything before its file name, without a trailing backslash.
std::wstring FolderOf(const std::wstring& filePath) {
  const auto end = filePath.find_last_of(L"\\:");
  if (end == std::wstring::npos) return {};
  std::wstring folder = filePath.substr(0, end + 1);
  if (folder.ends_with(L'\\')) folder.pop_back();
  return folder;
}

}  // namespace

DataPaths ComputeDataPaths(SystemFolders& folders) {
  DataPaths paths;
  std::wstring appData = folders.ApplicationDataFolder().value_or(std::wstring());
  if (!appData.empty() && !appData.ends_with(L'\\')) appData += L'\\';
  paths.dataFolder = appData + L"Orvalen\\DPX\\";
  // Not reported: reading then finds no files, and a save reports its own failure.
  (void)folders.CreateFolderWithParents(paths.dataFolder);

  paths.programFolder = FolderOf(folders.ProgramFilePath());
  paths.settingsFile = paths.dataFolder + L"dpx.dat";
  paths.excludeListFile = paths.dataFolder + L"ExList.Dat";
  paths.bringToTopListFile = paths.dataFolder + L"BttList.Dat";
  paths.helpFile = paths.programFolder + L"\\Help.chm";
  return paths;
}

}  // namespace dpx
