#include "common/pbkdf2.h"

#include <algorithm>
#include <cstring>

namespace dpx {
namespace {

constexpr std::uint32_t kRoundConstants[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t RotateRight(std::uint32_t x, int n) {
  return (x >> n) | (x << (32 - n));
}

class Sha256State {
 public:
  void Update(std::span<const std::uint8_t> data) {
    for (const std::uint8_t byte : data) {
      block_[used_++] = byte;
      if (used_ == 64) Compress();
    }
    length_ += data.size();
  }

  std::array<std::uint8_t, 32> Finish() {
    const std::uint64_t bits = length_ * 8;
    block_[used_++] = 0x80;
    if (used_ > 56) {
      std::fill(block_.begin() + used_, block_.end(), 0);
      used_ = 64;
      Compress();
    }
    std::fill(block_.begin() + used_, block_.begin() + 56, 0);
    for (int i = 0; i < 8; ++i) block_[56 + i] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
    used_ = 64;
    Compress();
    std::array<std::uint8_t, 32> digest{};
    for (int i = 0; i < 32; ++i)
      digest[i] = static_cast<std::uint8_t>(hash_[i / 4] >> (24 - 8 * (i % 4)));
    return digest;
  }

 private:
  void Compress() {
    std::uint32_t w[64];
    for (int i = 0; i < 16; ++i) {
      w[i] = std::uint32_t{block_[4 * i]} << 24 | std::uint32_t{block_[4 * i + 1]} << 16 |
             std::uint32_t{block_[4 * i + 2]} << 8 | block_[4 * i + 3];
    }
    for (int i = 16; i < 64; ++i) {
      const std::uint32_t s0 =
          RotateRight(w[i - 15], 7) ^ RotateRight(w[i - 15], 18) ^ (w[i - 15] >> 3);
      const std::uint32_t s1 =
          RotateRight(w[i - 2], 17) ^ RotateRight(w[i - 2], 19) ^ (w[i - 2] >> 10);
      w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::uint32_t a = hash_[0], b = hash_[1], c = hash_[2], d = hash_[3];
    std::uint32_t e = hash_[4], f = hash_[5], g = hash_[6], h = hash_[7];
    for (int i = 0; i < 64; ++i) {
      const std::uint32_t t1 = h + (RotateRight(e, 6) ^ RotateRight(e, 11) ^ RotateRight(e, 25)) +
                               ((e & f) ^ (~e & g)) + kRoundConstants[i] + w[i];
      const std::uint32_t t2 = (RotateRight(a, 2) ^ RotateRight(a, 13) ^ RotateRight(a, 22)) +
                               ((a & b) ^ (a & c) ^ (b & c));
      h = g;
      g = f;
      f = e;
      e = d + t1;
      d = c;
      c = b;
      b = a;
      a = t1 + t2;
    }
    const std::uint32_t result[8] = {a, b, c, d, e, f, g, h};
    for (int i = 0; i < 8; ++i) hash_[i] += result[i];
    used_ = 0;
  }

  std::uint32_t hash_[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                            0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  std::array<std::uint8_t, 64> block_{};
  std::size_t used_ = 0;
  std::uint64_t length_ = 0;
};

// HMAC with its inner and outer pads hashed once, so each of PBKDF2's many rounds costs two
// compressions of the message rather than four.
class HmacKey {
 public:
  explicit HmacKey(std::span<const std::uint8_t> key) {
    std::array<std::uint8_t, 64> block{};
    if (key.size() > block.size()) {
      const auto digest = Sha256(key);
      std::copy(digest.begin(), digest.end(), block.begin());
    } else {
      std::copy(key.begin(), key.end(), block.begin());
    }
    std::array<std::uint8_t, 64> pad{};
    for (std::size_t i = 0; i < 64; ++i) pad[i] = block[i] ^ 0x36;
    inner_.Update(pad);
    for (std::size_t i = 0; i < 64; ++i) pad[i] = block[i] ^ 0x5c;
    outer_.Update(pad);
  }

  std::array<std::uint8_t, 32> Mac(std::span<const std::uint8_t> first,
                                   std::span<const std::uint8_t> second = {}) const {
    Sha256State inner = inner_;
    inner.Update(first);
    inner.Update(second);
    const auto innerDigest = inner.Finish();
    Sha256State outer = outer_;
    outer.Update(innerDigest);
    return outer.Finish();
  }

 private:
  Sha256State inner_;
  Sha256State outer_;
};

}  // namespace

std::array<std::uint8_t, 32> Sha256(std::span<const std::uint8_t> message) {
  Sha256State state;
  state.Update(message);
  return state.Finish();
}

std::array<std::uint8_t, 32> HmacSha256(std::span<const std::uint8_t> key,
                                        std::span<const std::uint8_t> message) {
  return HmacKey(key).Mac(message);
}

std::vector<std::uint8_t> Pbkdf2HmacSha256(std::span<const std::uint8_t> password,
                                           std::span<const std::uint8_t> salt,
                                           std::uint32_t iterations, std::size_t length) {
  const HmacKey prf(password);
  std::vector<std::uint8_t> derived;
  for (std::uint32_t blockIndex = 1; derived.size() < length; ++blockIndex) {
    const std::uint8_t index[4] = {
        static_cast<std::uint8_t>(blockIndex >> 24), static_cast<std::uint8_t>(blockIndex >> 16),
        static_cast<std::uint8_t>(blockIndex >> 8), static_cast<std::uint8_t>(blockIndex)};
    auto u = prf.Mac(salt, index);
    auto block = u;
    for (std::uint32_t i = 1; i < iterations; ++i) {
      u = prf.Mac(u);
      for (std::size_t j = 0; j < block.size(); ++j) block[j] ^= u[j];
    }
    const std::size_t take = std::min(block.size(), length - derived.size());
    derived.insert(derived.end(), block.begin(), block.begin() + take);
  }
  return derived;
}

}  // namespace dpx
