#pragma once

#include <optional>
#include <string>

namespace dpx {

// A string value as the registry holds it: REG_SZ, or REG_EXPAND_SZ (text with %variables%, kept
// unexpanded).
struct RegistryString {
  std::wstring text;
  bool expandable = false;

  friend bool operator==(const RegistryString&, const RegistryString&) = default;
};

// Text values in the current user's registry hive (HKEY_CURRENT_USER). Key paths are relative to
// the hive's root, without a leading backslash, e.g. L"Software\\Windows\\Cryptography".
class UserRegistry {
 public:
  virtual ~UserRegistry() = default;

  // Opens the key read-only and reads a string value, REG_SZ or REG_EXPAND_SZ (unexpanded).
  // Nullopt when the key or the value is missing, the value has another type, or access is
  // refused.
  virtual std::optional<RegistryString> ReadString(const std::wstring& keyPath,
                                                   const std::wstring& valueName) = 0;
  // Opens the key for writing, creating it and its missing parents, and stores the value with its
  // type. False on any failure.
  virtual bool WriteString(const std::wstring& keyPath, const std::wstring& valueName,
                           const RegistryString& value) = 0;
  // The same for a plain string (REG_SZ) only: a REG_EXPAND_SZ value reads as missing.
  std::optional<std::wstring> ReadText(const std::wstring& keyPath, const std::wstring& valueName) {
    const std::optional<RegistryString> value = ReadString(keyPath, valueName);
    if (!value || value->expandable) return std::nullopt;
    return value->text;
  }
  bool WriteText(const std::wstring& keyPath, const std::wstring& valueName,
                 const std::wstring& text) {
    return WriteString(keyPath, valueName, {text, false});
  }
  // Whether the key exists and holds a value of that name, of any type.
  virtual bool ValueExists(const std::wstring& keyPath, const std::wstring& valueName) = 0;
  // Deletes the value, leaving the key. False when the key or the value is missing or access is
  // refused.
  virtual bool DeleteValue(const std::wstring& keyPath, const std::wstring& valueName) = 0;
};

}  // namespace dpx
