// The program's portable SHA-256, HMAC and PBKDF2 against published vectors: the hashing where
// Windows has no PBKDF2, and the one the password unit tests rely on to hash for real.
#include <gtest/gtest.h>

#include <string>

#include "common/pbkdf2.h"
#include "fakes/portable_password_hashing.h"

namespace dpx {
namespace {

using fakes::Bytes;

template <typename ByteRange>
std::string Hex(const ByteRange& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (const std::uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

TEST(PortableHashingTest, Sha256MatchesTheStandardsVectors) {
  // FIPS 180-4 examples; the 56-byte message needs a second padding block, the long one many.
  EXPECT_EQ(Hex(Sha256(Bytes(""))),
            "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Hex(Sha256(Bytes("abc"))),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Hex(Sha256(Bytes("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"))),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(Hex(Sha256(Bytes(std::string(1'000'000, 'a')))),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(PortableHashingTest, HmacMatchesRfc4231) {
  EXPECT_EQ(Hex(HmacSha256(Bytes(std::string(20, '\x0b')), Bytes("Hi There"))),
            "b0344c61d8db38535ca8afceaf0bf12b881dc200c9833da726e9376c2e32cff7");
  // A key longer than the block is hashed first.
  EXPECT_EQ(Hex(HmacSha256(Bytes(std::string(131, '\xaa')),
                           Bytes("Test Using Larger Than Block-Size Key - Hash Key First"))),
            "60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54");
}

// RFC 7914's second vector (80,000 iterations) is checked against the platform's PBKDF2 in the
// Windows tests; here it would take seconds.
TEST(PortableHashingTest, Pbkdf2MatchesRfc7914AndTheCommonVectors) {
  EXPECT_EQ(Hex(Pbkdf2HmacSha256(Bytes("passwd"), Bytes("salt"), 1, 64)),
            "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
            "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783");
  // A length that is not a whole number of blocks.
  EXPECT_EQ(Hex(Pbkdf2HmacSha256(Bytes("passwordPASSWORDpassword"),
                                 Bytes("saltSALTsaltSALTsaltSALTsaltSALTsalt"), 4096, 40)),
            "348c89dbcbd32b2f32d814b8116e84cf2b17347ebc1800181c4e2a1fb8dd53e1c635518c7dac47e9");
}

TEST(PortableHashingTest, TheFakePlatformDerivesRealKeysForSmallCounts) {
  fakes::PortablePasswordHashing hashing;
  EXPECT_EQ(Hex(hashing.DeriveKey(Bytes("password"), Bytes("salt"), 4096, 32)),
            "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a");
  // Large counts are shortened, but the count still changes the key.
  EXPECT_NE(hashing.DeriveKey(Bytes("pw"), Bytes("salt"), 600'000, 32),
            hashing.DeriveKey(Bytes("pw"), Bytes("salt"), 600'001, 32));
  EXPECT_NE(hashing.RandomBytes(16), hashing.RandomBytes(16));
}

}  // namespace
}  // namespace dpx
