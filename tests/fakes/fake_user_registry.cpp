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

std::optional<std::wstring> FakeUserRegistry::ReadText(const std::wstring& keyPath,
                                                       const std::wstring& valueName) {
  if (refuseAccess_) return std::nullopt;
  const auto value = Get(keyPath, valueName);
  if (!value || !std::holds_alternative<std::wstring>(*value)) return std::nullopt;
  return std::get<std::wstring>(*value);
}

bool FakeUserRegistry::WriteText(const std::wstring& keyPath, const std::wstring& valueName,
                                 const std::wstring& text) {
  if (refuseAccess_) return false;
  values_[Name(keyPath, valueName)] = text;
  return true;
}

bool FakeUserRegistry::ValueExists(const std::wstring& keyPath, const std::wstring& valueName) {
  return !refuseAccess_ && Get(keyPath, valueName).has_value();
}

bool FakeUserRegistry::DeleteValue(const std::wstring& keyPath, const std::wstring& valueName) {
  return !refuseAccess_ && values_.erase(Name(keyPath, valueName)) == 1;
}

void FakeUserRegistry::SetNumber(const std::wstring& keyPath, const std::wstring& valueName,
                                 std::uint32_t number) {
  values_[Name(keyPath, valueName)] = number;
}

std::optional<FakeUserRegistry::Value> FakeUserRegistry::Get(const std::wstring& keyPath,
                                                             const std::wstring& valueName) const {
  const auto value = values_.find(Name(keyPath, valueName));
  if (value == values_.end()) return std::nullopt;
  return value->second;
}

}  // namespace dpx::fakes
