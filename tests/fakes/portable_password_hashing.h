#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/password_hashing.h"

namespace dpx::fakes {

// The bytes of an ASCII text, for vectors.
std::vector<std::uint8_t> Bytes(std::string_view text);

// PasswordHashing with the program's portable PBKDF2 (common/pbkdf2.h), so that the unit tests
// hash for real, and a predictable random source whose bytes never repeat a salt. Counts above 4096
// iterations are derived with far fewer rounds (still a function of password, salt and count), so
// the unit tests stay fast; the counts asked for are recorded. Can be told to fail, as the platform
// might.
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
