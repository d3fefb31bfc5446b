#include "triggers/mouse_shortcut_form.h"

#include <algorithm>
#include <cwctype>

namespace dpx {
namespace {

// A whole number with an optional sign and surrounding blanks; nullopt for anything else.
// Values far out of any range saturate instead of overflowing.
std::optional<long long> ParseWholeNumber(const std::wstring& text) {
  std::size_t at = 0;
  std::size_t end = text.size();
  while (at < end && std::iswspace(text[at])) ++at;
  while (end > at && std::iswspace(text[end - 1])) --end;
  bool negative = false;
  if (at < end && (text[at] == L'+' || text[at] == L'-')) negative = text[at++] == L'-';
  if (at == end) return std::nullopt;
  constexpr long long kSaturated = 1'000'000'000'000LL;
  long long value = 0;
  for (; at < end; ++at) {
    if (text[at] < L'0' || text[at] > L'9') return std::nullopt;
    value = std::min(value * 10 + (text[at] - L'0'), kSaturated);
  }
  return negative ? -value : value;
}

}  // namespace

int SpinField::Value() const {
  const long long number = ParseWholeNumber(text_).value_or(0);
  return static_cast<int>(std::clamp<long long>(number, min_, max_));
}

void SpinField::SetValue(long long value) {
  text_ = std::to_wstring(std::clamp<long long>(value, min_, max_));
}

void CornerChoice::Load(std::uint8_t corner) {
  checked_.fill(false);
  if (corner < kCorners) checked_[corner] = true;
}

void CornerChoice::Click(int box) {
  if (box < 0 || box >= kCorners) return;
  for (int i = 0; i < kCorners; ++i) checked_[static_cast<std::size_t>(i)] = i == box;
}

std::optional<std::uint8_t> CornerChoice::Chosen() const {
  for (int i = 0; i < kCorners; ++i)
    if (checked_[static_cast<std::size_t>(i)]) return static_cast<std::uint8_t>(i);
  return std::nullopt;
}

}  // namespace dpx
