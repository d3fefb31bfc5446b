#include "fakes/portable_password_hashing.h"

#include "common/pbkdf2.h"

namespace dpx::fakes {
namespace {

constexpr std::uint32_t kFullWorkLimit = 4096;
constexpr std::uint32_t kShortenedIterations = 64;

}  // namespace

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

std::vector<std::uint8_t> PortablePasswordHashing::DeriveKey(std::span<const std::uint8_t> password,
                                                             std::span<const std::uint8_t> salt,
                                                             std::uint32_t iterations,
                                                             std::size_t length) {
  if (fail) throw PasswordHashingError("no hashing");
  ++derivations;
  iterationsAsked.push_back(iterations);
  if (iterations <= kFullWorkLimit) return Pbkdf2HmacSha256(password, salt, iterations, length);
  // A count of the size DPX uses takes seconds in the instrumented unit tests; a short derivation
  // over the salt tagged with the count keeps the key a function of every input.
  std::vector<std::uint8_t> tagged(salt.begin(), salt.end());
  for (int shift = 24; shift >= 0; shift -= 8)
    tagged.push_back(static_cast<std::uint8_t>(iterations >> shift));
  return Pbkdf2HmacSha256(password, tagged, kShortenedIterations, length);
}

std::vector<std::uint8_t> PortablePasswordHashing::RandomBytes(std::size_t count) {
  if (fail) throw PasswordHashingError("no random bytes");
  // SplitMix64: a fixed sequence that does not repeat within any test.
  std::vector<std::uint8_t> bytes(count);
  for (auto& byte : bytes) {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    byte = static_cast<std::uint8_t>(z ^ (z >> 31));
  }
  return bytes;
}

}  // namespace dpx::fakes
