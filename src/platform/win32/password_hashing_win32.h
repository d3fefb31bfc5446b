#pragma once

#include "platform/password_hashing.h"

namespace dpx::win32 {

// PBKDF2 and random bytes from the Windows CNG library (bcrypt.dll).
class Win32PasswordHashing final : public PasswordHashing {
 public:
  std::vector<std::uint8_t> DeriveKey(std::span<const std::uint8_t> password,
                                      std::span<const std::uint8_t> salt, std::uint32_t iterations,
                                      std::size_t length) override;
  std::vector<std::uint8_t> RandomBytes(std::size_t count) override;
};

}  // namespace dpx::win32
