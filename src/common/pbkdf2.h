#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dpx {

// SHA-256 (FIPS 180-4), HMAC-SHA-256 (RFC 2104) and PBKDF2 (RFC 8018), small and self-contained:
// the password hashing where the platform has no PBKDF2 of its own (Windows Vista's CNG).
std::array<std::uint8_t, 32> Sha256(std::span<const std::uint8_t> message);
std::array<std::uint8_t, 32> HmacSha256(std::span<const std::uint8_t> key,
                                        std::span<const std::uint8_t> message);
std::vector<std::uint8_t> Pbkdf2HmacSha256(std::span<const std::uint8_t> password,
                                           std::span<const std::uint8_t> salt,
                                           std::uint32_t iterations, std::size_t length);

}  // namespace dpx
