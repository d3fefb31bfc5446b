#pragma once

#include <optional>
#include <string>

namespace dpx {

// Text values in the current user's registry hive (HKEY_CURRENT_USER). Key paths are relative to
// the hive's root, without a leading backslash, e.g. L"Software\\Windows\\Cryptography".
class UserRegistry {
 public:
  virtual ~UserRegistry() = default;

  // Opens the key read-only and reads a string value (REG_SZ). Nullopt when the key or the value
  // is missing, the value has another type, or access is refused.
  virtual std::optional<std::wstring> ReadText(const std::wstring& keyPath,
                                               const std::wstring& valueName) = 0;
  // Opens the key for writing, creating it and its missing parents, and stores `text` as a
  // string value (REG_SZ). False on any failure.
  virtual bool WriteText(const std::wstring& keyPath, const std::wstring& valueName,
                         const std::wstring& text) = 0;
  // Whether the key exists and holds a value of that name, of any type.
  virtual bool ValueExists(const std::wstring& keyPath, const std::wstring& valueName) = 0;
  // Deletes the value, leaving the key. False when the key or the value is missing or access is
  // refused.
  virtual bool DeleteValue(const std::wstring& keyPath, const std::wstring& valueName) = 0;
};

}  // namespace dpx
