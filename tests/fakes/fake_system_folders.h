#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/system_folders.h"

namespace dpx::fakes {

// The shell's folders as a test sets them; folder creation is only recorded.
class FakeSystemFolders final : public SystemFolders {
 public:
  std::optional<std::wstring> ApplicationDataFolder() override { return applicationData; }
  std::wstring ProgramFilePath() override { return programFile; }
  bool CreateFolderWithParents(const std::wstring& path) override {
    createdFolders.push_back(path);
    return canCreate;
  }

  std::optional<std::wstring> applicationData = L"C:\\Users\\Ann\\AppData\\Roaming";
  std::wstring programFile = L"C:\\Program Files\\DPX\\dpx.exe";
  bool canCreate = true;
  std::vector<std::wstring> createdFolders;
};

}  // namespace dpx::fakes
