#include "app/password_hash_text.h"

#include "common/hex_text.h"

namespace dpx {
namespace {

constexpr wchar_t kSeparator = L'$';
std::optional<std::vector<std::uint8_t>> ParseHex(std::wstring_view text, std::size_t minBytes,
                                                  std::size_t maxBytes) {
  if (text.size() < minBytes * 2 || text.size() > maxBytes * 2) return std::nullopt;
  return ParseHexText(text);
}

// Plain decimal digits only: no sign, no blanks, no leading zero.
std::optional<std::uint32_t> ParseIterations(std::wstring_view text) {
  if (text.empty() || text.size() > 8 || text[0] == L'0') return std::nullopt;
  std::uint32_t value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(c - L'0');
  }
  if (value > kMaxPasswordIterations) return std::nullopt;
  return value;
}

// The next field up to the separator (or the end); moves `rest` past it.
std::wstring_view NextField(std::wstring_view& rest) {
  const auto end = rest.find(kSeparator);
  const std::wstring_view field = rest.substr(0, end);
  rest = end == std::wstring_view::npos ? std::wstring_view() : rest.substr(end + 1);
  return field;
}

}  // namespace

std::wstring FormatHashedPassword(const HashedPassword& hashed) {
  return std::wstring(kHashedPasswordPrefix) + std::to_wstring(hashed.iterations) + kSeparator +
         HexText<wchar_t>(hashed.salt) + kSeparator + HexText<wchar_t>(hashed.key);
}

std::optional<HashedPassword> ParseHashedPassword(std::wstring_view text) {
  if (!text.starts_with(kHashedPasswordPrefix)) return std::nullopt;
  std::wstring_view rest = text.substr(kHashedPasswordPrefix.size());
  // Exactly three fields: a fourth separator leaves it in the key field, which then fails.
  const std::wstring_view iterationsField = NextField(rest);
  const std::wstring_view saltField = NextField(rest);
  const std::wstring_view keyField = rest;

  const auto iterations = ParseIterations(iterationsField);
  auto salt = ParseHex(saltField, kMinSaltBytes, kMaxSaltBytes);
  auto key = ParseHex(keyField, kMinKeyBytes, kMaxKeyBytes);
  if (!iterations || !salt || !key) return std::nullopt;
  return HashedPassword{*iterations, std::move(*salt), std::move(*key)};
}

StoredPasswordKind ClassifyStoredPassword(std::wstring_view stored) {
  if (stored.empty()) return StoredPasswordKind::kNone;
  if (!stored.starts_with(kHashedPasswordPrefix)) return StoredPasswordKind::kPlainText;
  return ParseHashedPassword(stored) ? StoredPasswordKind::kHashed : StoredPasswordKind::kDamaged;
}

}  // namespace dpx
