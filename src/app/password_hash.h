#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/password_hash_text.h"
#include "platform/password_hashing.h"

namespace dpx {

// How a new password is hashed: a fresh random salt and a slow derivation, so that the stored
// value neither shows the password nor lets it be found quickly by trying.
inline constexpr std::uint32_t kPasswordIterations = 600'000;
inline constexpr std::size_t kPasswordSaltBytes = 16;
inline constexpr std::size_t kPasswordKeyBytes = 32;

// The text to store for `password`. Throws PasswordHashingError.
std::wstring HashPassword(const std::wstring& password, PasswordHashing& hashing);

// Whether `entered` is exactly the password `hashed` was made from. Throws PasswordHashingError.
bool MatchesHashedPassword(const HashedPassword& hashed, const std::wstring& entered,
                           PasswordHashing& hashing);

}  // namespace dpx
