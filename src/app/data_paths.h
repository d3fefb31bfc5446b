#pragma once

#include <string>

#include "platform/system_folders.h"

namespace dpx {

// Where DPX keeps its files; computed once at process start and never changed.
struct DataPaths {
  std::wstring dataFolder;          // "...\Orvalen\DPX\", always with the trailing backslash
  std::wstring programFolder;       // folder of the program file, no trailing backslash
  std::wstring settingsFile;        // dataFolder + "dpx.dat"
  std::wstring excludeListFile;     // dataFolder + "ExList.Dat" (the Do not hide list)
  std::wstring bringToTopListFile;  // dataFolder + "BttList.Dat"
  std::wstring helpFile;            // programFolder + "\Help.chm"
};

// Computes the paths and creates the data folder with its missing parents (a failure to create it
// is not reported: the later file accesses report their own errors). When the application-data
// folder is unknown, the data folder is the relative "Orvalen\DPX\".
DataPaths ComputeDataPaths(SystemFolders& folders);

}  // namespace dpx
