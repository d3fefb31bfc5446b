#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <variant>

#include "platform/user_registry.h"

namespace dpx::fakes {

// The current user's registry hive in memory. Key paths and value names match without regard to
// (ASCII) case, as in the registry. A value can also hold a number (REG_DWORD), which ReadText
// refuses as the registry's string read does, and a text can be expandable (REG_EXPAND_SZ), which
// only ReadString takes.
class FakeUserRegistry final : public UserRegistry {
 public:
  std::optional<RegistryString> ReadString(const std::wstring& keyPath,
                                           const std::wstring& valueName) override;
  bool WriteString(const std::wstring& keyPath, const std::wstring& valueName,
                   const RegistryString& value) override;
  bool ValueExists(const std::wstring& keyPath, const std::wstring& valueName) override;
  bool DeleteValue(const std::wstring& keyPath, const std::wstring& valueName) override;

  void SetNumber(const std::wstring& keyPath, const std::wstring& valueName, std::uint32_t number);
  // What a value holds, of either type; nullopt when it is missing.
  using Value = std::variant<std::wstring, std::uint32_t>;
  std::optional<Value> Get(const std::wstring& keyPath, const std::wstring& valueName) const;
  bool IsExpandable(const std::wstring& keyPath, const std::wstring& valueName) const {
    return expandable_.count(Name(keyPath, valueName)) != 0;
  }
  // Refuses every access (reads find nothing, writes fail), as for a key the user may not open.
  void RefuseAccess(bool refuse) { refuseAccess_ = refuse; }

 private:
  static std::wstring Name(const std::wstring& keyPath, const std::wstring& valueName);

  std::map<std::wstring, Value> values_;
  std::set<std::wstring> expandable_;
  bool refuseAccess_ = false;
};

}  // namespace dpx::fakes
