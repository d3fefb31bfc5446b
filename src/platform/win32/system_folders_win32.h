#pragma once

#include "platform/system_folders.h"

namespace dpx::win32 {

class Win32SystemFolders final : public SystemFolders {
 public:
  std::optional<std::wstring> ApplicationDataFolder() override;
  std::wstring ProgramFilePath() override;
  bool CreateFolderWithParents(const std::wstring& path) override;
};

}  // namespace dpx::win32
