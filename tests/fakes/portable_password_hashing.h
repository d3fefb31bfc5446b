#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/password_hashing.h"

namespace dpx::fakes {

// SHA-256 (FIPS 180-4), HMAC-SHA-256 (RFC 2104) and PBKDF2 (RFC 8018), small and self-contained,
// so that the unit tests hash for real and can be checked against published vectors.
std::array<std::uint8_t, 32> Sha256(std::span<const std::uint8_t> message);
std::array<std::uint8_t, 32> HmacSha256(std::span<const std::uint8_t> key,
                                        std::span<const std::uint8_t> message);
std::vector<std::uint8_t> Pbkdf2HmacSha256(std::span<const std::uint8_t> password,
                                           std::span<const std::uint8_t> salt,
                                           std::uint32_t iterations, std::size_t length);

// The bytes of an ASCII text, for vectors.
std::vector<std::uint8_t> Bytes(std::string_view text);

// PasswordHashing with the portable PBKDF2 and a predictable random source whose bytes never
// repeat a salt. Counts above 4096 iterations are derived with far fewer rounds (still a function
// of password, salt and count), so the unit tests stay fast; the counts asked for are recorded.
// Can be told to fail, as the platform might.
class PortablePasswordHashing final : public PasswordHashing {
 public:
  std::vector<std::uint8_t> DeriveKey(std::span<const std::uint8_t> password,
                                      std::span<const std::uint8_t> salt, std::uint32_t iterations,
                                      std::size_t length) override;
  std::vector<std::uint8_t> RandomBytes(std::size_t count) override;

  bool fail = false;
  int derivations = 0;
  std::vector<std::uint32_t> iterationsAsked;

 private:
  std::uint64_t state_ = 0;
};

}  // namespace dpx::fakes
