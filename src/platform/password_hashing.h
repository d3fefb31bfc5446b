#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace dpx {

// The platform's cryptography, as far as the application password needs it.
class PasswordHashing {
 public:
  virtual ~PasswordHashing() = default;

  // PBKDF2 with HMAC-SHA-256 over `password` and `salt`: `length` bytes of derived key.
  // Throws PasswordHashingError when the platform cannot compute it.
  virtual std::vector<std::uint8_t> DeriveKey(std::span<const std::uint8_t> password,
                                              std::span<const std::uint8_t> salt,
                                              std::uint32_t iterations, std::size_t length) = 0;
  // `count` bytes from the platform's cryptographic random source. Throws PasswordHashingError.
  virtual std::vector<std::uint8_t> RandomBytes(std::size_t count) = 0;
};

// The platform refused a hashing or random-number call; its text is shown to the user.
class PasswordHashingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace dpx
