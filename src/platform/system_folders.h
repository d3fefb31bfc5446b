#pragma once

#include <optional>
#include <string>

namespace dpx {

// The folders DPX keeps its files in, and making them.
class SystemFolders {
 public:
  virtual ~SystemFolders() = default;

  // The current user's application-data folder, as the shell gives it (without creating it);
  // nullopt when the shell cannot tell.
  virtual std::optional<std::wstring> ApplicationDataFolder() = 0;
  // The full path of the running program file.
  virtual std::wstring ProgramFilePath() = 0;
  // Creates the folder and every missing parent. False when it does not exist afterwards.
  virtual bool CreateFolderWithParents(const std::wstring& path) = 0;
};

}  // namespace dpx
