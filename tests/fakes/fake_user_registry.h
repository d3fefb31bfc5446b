#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>

#include "platform/user_registry.h"

namespace dpx::fakes {

// The current user's registry hive in memory. Key paths and value names match without regard to
// (ASCII) case, as in the registry. A value can also hold a number (REG_DWORD), which ReadText
// refuses as the registry's string read does.
class FakeUserRegistry final : public UserRegistry {
 public:
  std::optional<std::wstring> ReadText(const std::wstring& keyPath,
                                       const std::wstring& valueName) override;
  bool WriteText(const std::wstring& keyPath, const std::wstring& valueName,
                 const std::wstring& text) override;
  bool ValueExists(const std::wstring& keyPath, const std::wstring& valueName) override;
  bool DeleteValue(const std::wstring& keyPath, const std::wstring& valueName) override;

  void SetNumber(const std::wstring& keyPath, const std::wstring& valueName, std::uint32_t number);
  // What a value holds, of either type; nullopt when it is missing.
  using Value = std::variant<std::wstring, std::uint32_t>;
  std::optional<Value> Get(const std::wstring& keyPath, const std::wstring& valueName) const;
  // Refuses every access (reads find nothing, writes fail), as for a key the user may not open.
  void RefuseAccess(bool refuse) { refuseAccess_ = refuse; }

 private:
  static std::wstring Name(const std::wstring& keyPath, const std::wstring& valueName);

  std::map<std::wstring, Value> values_;
  bool refuseAccess_ = false;
};

}  // namespace dpx::fakes
