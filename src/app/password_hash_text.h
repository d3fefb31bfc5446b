#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dpx {

// A hashed application password: PBKDF2 with HMAC-SHA-256 over the UTF-8 bytes of the password.
struct HashedPassword {
  std::uint32_t iterations = 0;
  std::vector<std::uint8_t> salt;
  std::vector<std::uint8_t> key;  // the derived key

  bool operator==(const HashedPassword&) const = default;
};

// The text that the registry value "10" holds for it, which names its own method and parameters:
//   pbkdf2-sha256$<iterations in decimal>$<salt in hex>$<derived key in hex>
// (lower-case hexadecimal).
inline constexpr std::wstring_view kHashedPasswordPrefix = L"pbkdf2-sha256$";
std::wstring FormatHashedPassword(const HashedPassword& hashed);

// The limits a stored hash must keep. The upper bound on iterations keeps a damaged value from
// holding the program in one check for minutes.
inline constexpr std::uint32_t kMaxPasswordIterations = 10'000'000;
inline constexpr std::size_t kMinSaltBytes = 8;
inline constexpr std::size_t kMaxSaltBytes = 64;
inline constexpr std::size_t kMinKeyBytes = 16;
inline constexpr std::size_t kMaxKeyBytes = 64;

// Reads the text form back; nullopt for anything else (any length, any characters: never more
// work than one pass over the text).
std::optional<HashedPassword> ParseHashedPassword(std::wstring_view text);

// What a stored value is. A text that starts like a hash but does not parse is damaged; any other
// non-empty text is a password that an earlier version of DPX stored as it was typed.
enum class StoredPasswordKind { kNone, kHashed, kPlainText, kDamaged };
StoredPasswordKind ClassifyStoredPassword(std::wstring_view stored);

}  // namespace dpx
