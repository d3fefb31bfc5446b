#pragma once

#include "platform/user_registry.h"

namespace dpx::win32 {

class Win32UserRegistry final : public UserRegistry {
 public:
  std::optional<RegistryString> ReadString(const std::wstring& keyPath,
                                           const std::wstring& valueName) override;
  bool WriteString(const std::wstring& keyPath, const std::wstring& valueName,
                   const RegistryString& value) override;
  bool ValueExists(const std::wstring& keyPath, const std::wstring& valueName) override;
  bool DeleteValue(const std::wstring& keyPath, const std::wstring& valueName) override;
};

}  // namespace dpx::win32
