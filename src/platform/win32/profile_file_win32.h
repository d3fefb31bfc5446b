#pragma once

#include "platform/profile_file.h"

namespace dpx::win32 {

class Win32ProfileFile final : public ProfileFile {
 public:
  std::wstring ReadString(const std::wstring& path, const std::wstring& section,
                          const std::wstring& key, const std::wstring& defaultValue) override;
  bool WriteString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override;
  bool StageCopy(const std::wstring& from, const std::wstring& staged) override;
  bool Commit(const std::wstring& staged, const std::wstring& target) override;
  void Discard(const std::wstring& staged) override;
};

}  // namespace dpx::win32
