#include "fakes/fake_user_registry.h"

#include <algorithm>

namespace dpx::fakes {

std::wstring FakeUserRegistry::Name(const std::wstring& keyPath, const std::wstring& valueName) {
  // Value names may hold backslashes; a line break joins the two parts unambiguously.
  std::wstring name = keyPath + L"\n" + valueName;
  std::transform(name.begin(), name.end(), name.begin(),
                 [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c; });
  return name;
}

std::optional<RegistryString> FakeUserRegistry::ReadString(const std::wstring& keyPath,
                                                           const std::wstring& valueName) {
  if (refuseAccess_) return std::nullopt;
  const auto value = Get(keyPath, valueName);
  if (!value || !std::holds_alternative<std::wstring>(*value)) return std::nullopt;
  return RegistryString{std::get<std::wstring>(*value), IsExpandable(keyPath, valueName)};
}

bool FakeUserRegistry::WriteString(const std::wstring& keyPath, const std::wstring& valueName,
                                   const RegistryString& value) {
  if (refuseAccess_) return false;
  const std::wstring name = Name(keyPath, valueName);
  values_[name] = value.text;
  if (value.expandable)
    expandable_.insert(name);
  else
    expandable_.erase(name);
  return true;
}

bool FakeUserRegistry::ValueExists(const std::wstring& keyPath, const std::wstring& valueName) {
  return !refuseAccess_ && Get(keyPath, valueName).has_value();
}

bool FakeUserRegistry::DeleteValue(const std::wstring& keyPath, const std::wstring& valueName) {
  if (refuseAccess_) return false;
  expandable_.erase(Name(keyPath, valueName));
  return values_.erase(Name(keyPath, valueName)) == 1;
}

void FakeUserRegistry::SetNumber(const std::wstring& keyPath, const std::wstring& valueName,
                                 std::uint32_t number) {
  expandable_.erase(Name(keyPath, valueName));
  values_[Name(keyPath, valueName)] = number;
}

std::optional<FakeUserRegistry::Value> FakeUserRegistry::Get(const std::wstring& keyPath,
                                                             const std::wstring& valueName) const {
  const auto value = values_.find(Name(keyPath, valueName));
  if (value == values_.end()) return std::nullopt;
  return value->second;
}

}  // namespace dpx::fakes
