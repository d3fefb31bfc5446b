#include "app/password_hash.h"

#include "common/utf8.h"

namespace dpx {
namespace {

std::vector<std::uint8_t> PasswordBytes(const std::wstring& password) {
  const std::string utf8 = ToUtf8(password);
  return {utf8.begin(), utf8.end()};
}

// Takes as long for every pair of equal length, so the time of a check tells nothing about how
// much of the key matched.
bool ConstantTimeEqual(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  if (a.size() != b.size()) return false;
  std::uint8_t difference = 0;
  for (std::size_t i = 0; i < a.size(); ++i) difference |= a[i] ^ b[i];
  return difference == 0;
}

}  // namespace

std::wstring HashPassword(const std::wstring& password, PasswordHashing& hashing) {
  HashedPassword hashed{kPasswordIterations, hashing.RandomBytes(kPasswordSaltBytes), {}};
  hashed.key =
      hashing.DeriveKey(PasswordBytes(password), hashed.salt, hashed.iterations, kPasswordKeyBytes);
  // A short salt or key would be stored as a value that reads back as damaged, that is as no
  // password at all.
  if (hashed.salt.size() != kPasswordSaltBytes || hashed.key.size() != kPasswordKeyBytes)
    throw PasswordHashingError("The password could not be hashed.");
  return FormatHashedPassword(hashed);
}

bool MatchesHashedPassword(const HashedPassword& hashed, const std::wstring& entered,
                           PasswordHashing& hashing) {
  const auto key =
      hashing.DeriveKey(PasswordBytes(entered), hashed.salt, hashed.iterations, hashed.key.size());
  return ConstantTimeEqual(key, hashed.key);
}

}  // namespace dpx
