// The stored form of the application password: its text, its parser (which must survive any
// value found in the registry) and the checks against it.
#include <gtest/gtest.h>

#include <cwchar>
#include <random>

#include "app/password_hash.h"
#include "app/password_verifier.h"
#include "fakes/portable_password_hashing.h"

namespace dpx {
namespace {

const HashedPassword kSample{600'000, std::vector<std::uint8_t>(16, 0xA5),
                             std::vector<std::uint8_t>(32, 0x0F)};
const std::wstring kSampleText =
    L"pbkdf2-sha256$600000$a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5$"
    L"0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f";
const std::wstring kKeyText = kSampleText.substr(kSampleText.rfind(L'$') + 1);

TEST(HashedPasswordTextTest, NamesItsMethodAndParametersAndReadsBack) {
  EXPECT_EQ(FormatHashedPassword(kSample), kSampleText);
  EXPECT_EQ(ParseHashedPassword(kSampleText), kSample);
  EXPECT_EQ(ClassifyStoredPassword(kSampleText), StoredPasswordKind::kHashed);
  // Upper-case digits are read too.
  std::wstring upper = kSampleText;
  for (auto& c : upper)
    if (c == L'a' || c == L'f') c = static_cast<wchar_t>(c - L'a' + L'A');
  upper.replace(0, 13, L"pbkdf2-sha256");
  EXPECT_EQ(ParseHashedPassword(upper), kSample);
}

struct StoredCase {
  const wchar_t* name;
  std::wstring text;
  StoredPasswordKind kind;
};

std::wstring SampleWith(std::wstring_view from, std::wstring_view to) {
  std::wstring text = kSampleText;
  text.replace(text.find(from), from.size(), to);
  return text;
}

class StoredPasswordKindTest : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredPasswordKindTest, TellsHashesFromPlainTextsAndDamagedValues) {
  EXPECT_EQ(ClassifyStoredPassword(GetParam().text), GetParam().kind);
  EXPECT_EQ(ParseHashedPassword(GetParam().text).has_value(),
            GetParam().kind == StoredPasswordKind::kHashed);
}

const std::wstring kSalt32 = L"a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5";
INSTANTIATE_TEST_SUITE_P(
    Values, StoredPasswordKindTest,
    ::testing::Values(
        StoredCase{L"Empty", L"", StoredPasswordKind::kNone},
        StoredCase{L"PlainWord", L"Pa ss", StoredPasswordKind::kPlainText},
        StoredCase{L"PlainWithDollars", L"$pbkdf2-sha256$1$00$00", StoredPasswordKind::kPlainText},
        StoredCase{L"OtherCasePrefixIsPlain", SampleWith(L"pbkdf2", L"PBKDF2"),
                   StoredPasswordKind::kPlainText},
        StoredCase{L"PrefixOnly", L"pbkdf2-sha256$", StoredPasswordKind::kDamaged},
        StoredCase{L"Truncated", kSampleText.substr(0, kSampleText.size() - 1),
                   StoredPasswordKind::kDamaged},
        StoredCase{L"ExtraField", kSampleText + L"$00", StoredPasswordKind::kDamaged},
        StoredCase{L"TrailingBlank", kSampleText + L" ", StoredPasswordKind::kDamaged},
        StoredCase{L"NoKey", SampleWith(L"$" + kKeyText, L"$"), StoredPasswordKind::kDamaged},
        StoredCase{L"ZeroIterations", SampleWith(L"600000", L"0"), StoredPasswordKind::kDamaged},
        StoredCase{L"LeadingZero", SampleWith(L"600000", L"0600000"), StoredPasswordKind::kDamaged},
        StoredCase{L"SignedIterations", SampleWith(L"600000", L"+600000"),
                   StoredPasswordKind::kDamaged},
        StoredCase{L"TooManyIterations", SampleWith(L"600000", L"10000001"),
                   StoredPasswordKind::kDamaged},
        StoredCase{L"MostIterations", SampleWith(L"600000", L"10000000"),
                   StoredPasswordKind::kHashed},
        StoredCase{L"OneIteration", SampleWith(L"600000", L"1"), StoredPasswordKind::kHashed},
        StoredCase{L"HugeIterations", SampleWith(L"600000", L"99999999999999999999"),
                   StoredPasswordKind::kDamaged},
        StoredCase{L"OddHex", SampleWith(kSalt32, kSalt32 + L"a"), StoredPasswordKind::kDamaged},
        StoredCase{L"NotHex", SampleWith(L"a5a5", L"g5a5"), StoredPasswordKind::kDamaged},
        StoredCase{L"ShortSalt", SampleWith(kSalt32, L"a5a5a5a5a5a5a5"),
                   StoredPasswordKind::kDamaged},
        StoredCase{L"ShortestSalt", SampleWith(kSalt32, L"a5a5a5a5a5a5a5a5"),
                   StoredPasswordKind::kHashed},
        StoredCase{L"LongSalt", SampleWith(kSalt32, std::wstring(130, L'1')),
                   StoredPasswordKind::kDamaged},
        StoredCase{L"ShortKey", SampleWith(kKeyText, kKeyText.substr(0, 30)),
                   StoredPasswordKind::kDamaged},
        StoredCase{L"ShortestKey", SampleWith(kKeyText, kKeyText.substr(0, 32)),
                   StoredPasswordKind::kHashed},
        StoredCase{L"NullInside",
                   SampleWith(L"a5a5", std::wstring(L"a5\0"
                                                    L"5",
                                                    4)),
                   StoredPasswordKind::kDamaged}),
    [](const auto& info) {
      return std::string(info.param.name, info.param.name + std::wcslen(info.param.name));
    });

// Values a damaged registry or a hostile program might leave: every one is either rejected or read
// as a hash that formats back to the same text (up to the case of its digits); none crashes, which
// the sanitizers of this build would report.
TEST(HashedPasswordTextTest, SurvivesMutationsAndRandomValues) {
  std::mt19937 random(20240607);
  const std::wstring alphabet = L"pbkdf2-sha256$0123456789abcdefABCDEFxyz \0\xFFFF\x00e9";
  auto randomChar = [&] { return alphabet[random() % alphabet.size()]; };
  auto check = [](const std::wstring& text) {
    const auto parsed = ParseHashedPassword(text);
    if (!parsed) return;
    std::wstring lower = text;
    for (auto& c : lower)
      if (c >= L'A' && c <= L'F') c = static_cast<wchar_t>(c - L'A' + L'a');
    EXPECT_EQ(FormatHashedPassword(*parsed), lower);
  };
  for (std::size_t at = 0; at <= kSampleText.size(); ++at) {
    check(kSampleText.substr(0, at));
    for (int i = 0; i < 8; ++i) {
      std::wstring changed = kSampleText;
      if (at < changed.size()) changed[at] = randomChar();
      check(changed);
      changed.insert(changed.begin() + static_cast<std::ptrdiff_t>(at), randomChar());
      check(changed);
    }
  }
  for (int i = 0; i < 2000; ++i) {
    std::wstring text(kHashedPasswordPrefix);
    const auto length = random() % 200;
    for (std::size_t j = 0; j < length; ++j) text += randomChar();
    check(text);
  }
}

class PasswordHashTest : public ::testing::Test {
 protected:
  fakes::PortablePasswordHashing hashing;
};

TEST_F(PasswordHashTest, ANewHashIsSlowSaltedAndHoldsNoTraceOfThePassword) {
  const std::wstring stored = HashPassword(L"Sesame 42", hashing);
  const auto parsed = ParseHashedPassword(stored);
  ASSERT_TRUE(parsed);
  EXPECT_GE(parsed->iterations, 100'000u);
  EXPECT_EQ(hashing.iterationsAsked, std::vector<std::uint32_t>{parsed->iterations});
  EXPECT_EQ(parsed->salt.size(), 16u);
  EXPECT_EQ(parsed->key.size(), 32u);
  EXPECT_EQ(stored.find(L"Sesame"), std::wstring::npos);
  // A fresh salt each time: the same password never gives the same value twice.
  EXPECT_NE(HashPassword(L"Sesame 42", hashing), stored);
}

TEST_F(PasswordHashTest, OnlyTheExactTextMatches) {
  for (const std::wstring password : {L"Secret", L"x", L"  blanks  ", L"caf\u00e9 \U0001F511"}) {
    const auto hashed = *ParseHashedPassword(HashPassword(password, hashing));
    EXPECT_TRUE(MatchesHashedPassword(hashed, password, hashing)) << password.size();
    for (const std::wstring& other : {password + L" ", password.substr(1), std::wstring()})
      EXPECT_FALSE(MatchesHashedPassword(hashed, other, hashing));
  }
  const auto hashed = *ParseHashedPassword(HashPassword(L"Secret", hashing));
  EXPECT_FALSE(MatchesHashedPassword(hashed, L"secret", hashing));
  EXPECT_FALSE(MatchesHashedPassword(hashed, L"SECRET", hashing));
}

TEST_F(PasswordHashTest, AChangedCountSaltOrKeyNoLongerMatches) {
  const auto hashed = *ParseHashedPassword(HashPassword(L"Secret", hashing));
  HashedPassword changed = hashed;
  changed.iterations += 1;
  EXPECT_FALSE(MatchesHashedPassword(changed, L"Secret", hashing));
  changed = hashed;
  changed.salt[0] ^= 1;
  EXPECT_FALSE(MatchesHashedPassword(changed, L"Secret", hashing));
  changed = hashed;
  changed.key.back() ^= 0x80;
  EXPECT_FALSE(MatchesHashedPassword(changed, L"Secret", hashing));
}

TEST_F(PasswordHashTest, APlatformFailureIsAnErrorNotAValueThatReadsAsNoPassword) {
  hashing.fail = true;
  EXPECT_THROW(HashPassword(L"Secret", hashing), PasswordHashingError);
}

TEST_F(PasswordHashTest, TheVerifierChecksEachKindOfPasswordInMemory) {
  std::wstring appPassword = HashPassword(L"Secret", hashing);
  const PasswordVerifier verifier{appPassword, hashing};
  EXPECT_TRUE(verifier.IsSet());
  EXPECT_TRUE(verifier.Matches(L"Secret"));
  EXPECT_FALSE(verifier.Matches(L"secret"));
  // The hash text itself is not the password.
  EXPECT_FALSE(verifier.Matches(appPassword));
  // A check that the platform cannot run is an error, never a silent "wrong password".
  hashing.fail = true;
  EXPECT_THROW(verifier.Matches(L"Secret"), PasswordHashingError);
  hashing.fail = false;

  appPassword = L"Pa ss";  // an earlier version's plain text
  EXPECT_TRUE(verifier.Matches(L"Pa ss"));
  EXPECT_FALSE(verifier.Matches(L"pa ss"));
  // The whole text, blanks included.
  EXPECT_FALSE(verifier.Matches(L"Pa ss "));

  appPassword = SampleWith(L"600000", L"0");  // damaged
  EXPECT_FALSE(verifier.Matches(appPassword));
  EXPECT_FALSE(verifier.Matches(L""));

  appPassword.clear();
  EXPECT_FALSE(verifier.IsSet());
}

}  // namespace
}  // namespace dpx
