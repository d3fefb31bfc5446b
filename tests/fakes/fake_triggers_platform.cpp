#include "fakes/fake_triggers_platform.h"

namespace dpx::fakes {

bool FakeHotKeys::Register(int id, unsigned modifiers, unsigned keyCode) {
  const Combination combination{modifiers, keyCode};
  bool held = heldElsewhere.count(combination) != 0 || registered_.count(id) != 0;
  for (const auto& [otherId, other] : registered_) held = held || other == combination;
  log.push_back("Register " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
                std::to_string(keyCode) + (held ? " failed" : ""));
  if (held) return false;
  registered_[id] = combination;
  return true;
}

void FakeHotKeys::Unregister(int id) {
  log.push_back("Unregister " + std::to_string(id));
  registered_.erase(id);
}

std::optional<FakeHotKeys::Combination> FakeHotKeys::Registered(int id) const {
  const auto found = registered_.find(id);
  if (found == registered_.end()) return std::nullopt;
  return found->second;
}

FakeKeyNames::FakeKeyNames()
    : names{{3, L"Scroll Lock"}, {16, L"Shift"},        {17, L"Ctrl"},         {18, L"Alt"},
            {19, L"Pause"},      {20, L"Caps Lock"},    {91, L"Left Windows"}, {106, L"Num *"},
            {107, L"Num +"},     {109, L"Num -"},       {110, L"Num Del"},     {111, L"/"},
            {144, L"Num Lock"},  {145, L"Scroll Lock"}, {186, L";"},           {187, L"="},
            {188, L","},         {189, L"-"},           {190, L"."},           {191, L"/"},
            {192, L"`"},         {219, L"["},           {220, L"\\"},          {221, L"]"},
            {222, L"'"}} {}

std::wstring FakeKeyNames::KeyName(unsigned keyCode) {
  const auto found = names.find(keyCode);
  return found == names.end() ? std::wstring{} : found->second;
}

}  // namespace dpx::fakes
