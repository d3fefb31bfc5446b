// The application password and autostart against the real platform: CNG's PBKDF2 and the
// program's own give the published vectors, the stored value and the Run entry go through the real
// registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/autostart.h"
#include "app/password_hash.h"
#include "app/password_store.h"
#include "app/password_verifier.h"
#include "platform/win32/password_hashing_win32.h"
#include "platform/win32/user_registry_win32.h"

namespace dpx {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (const std::uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

// CNG's PBKDF2 where Windows has it (Wine does), the program's own on Windows Vista: the same keys.
class Pbkdf2RouteTest : public ::testing::TestWithParam<win32::Pbkdf2Route> {};

TEST_P(Pbkdf2RouteTest, GivesTheRfc7914Vectors) {
  win32::Win32PasswordHashing hashing(GetParam());
  EXPECT_EQ(hashing.UsesPlatformPbkdf2(), GetParam() == win32::Pbkdf2Route::kPlatformWhereItExists);
  EXPECT_EQ(Hex(hashing.DeriveKey(Bytes("passwd"), Bytes("salt"), 1, 64)),
            "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
            "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783");
  EXPECT_EQ(Hex(hashing.DeriveKey(Bytes("Password"), Bytes("NaCl"), 80000, 64)),
            "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"
            "a1d425a1225833549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d");
  // An empty entry at the prompt is hashed too.
  EXPECT_EQ(Hex(hashing.DeriveKey({}, Bytes("salt"), 1, 32)),
            "f135c27993baf98773c5cdb40a5706ce6a345cde61b000a67858650cd6a324d7");
}

// A password stored through one route unlocks through the other.
TEST(CngHashingTest, AHashMadeWithoutCngChecksWithCngAndTheOtherWayRound) {
  win32::Win32PasswordHashing platform;
  win32::Win32PasswordHashing own(win32::Pbkdf2Route::kProgramsOwn);
  const auto byOwn = ParseHashedPassword(HashPassword(L"Pa ss", own));
  const auto byPlatform = ParseHashedPassword(HashPassword(L"Pa ss", platform));
  ASSERT_TRUE(byOwn && byPlatform);
  EXPECT_TRUE(MatchesHashedPassword(*byOwn, L"Pa ss", platform));
  EXPECT_TRUE(MatchesHashedPassword(*byPlatform, L"Pa ss", own));
  EXPECT_FALSE(MatchesHashedPassword(*byPlatform, L"Pa s", own));
}

INSTANTIATE_TEST_SUITE_P(BothRoutes, Pbkdf2RouteTest,
                         ::testing::Values(win32::Pbkdf2Route::kPlatformWhereItExists,
                                           win32::Pbkdf2Route::kProgramsOwn),
                         [](const ::testing::TestParamInfo<win32::Pbkdf2Route>& route) {
                           return route.param == win32::Pbkdf2Route::kProgramsOwn ? "ProgramsOwn"
                                                                                  : "Cng";
                         });

TEST(CngHashingTest, RandomBytesComeInTheLengthAskedAndDiffer) {
  win32::Win32PasswordHashing hashing;
  const auto first = hashing.RandomBytes(16);
  EXPECT_EQ(first.size(), 16u);
  EXPECT_NE(first, hashing.RandomBytes(16));
}

TEST(CngHashingTest, ANewHashTakesTheFullCountAndChecksOnlyTheExactPassword) {
  win32::Win32PasswordHashing hashing;
  const auto hashed = ParseHashedPassword(HashPassword(L"Pa ss \u00e9", hashing));
  ASSERT_TRUE(hashed);
  EXPECT_EQ(hashed->iterations, kPasswordIterations);
  EXPECT_TRUE(MatchesHashedPassword(*hashed, L"Pa ss \u00e9", hashing));
  EXPECT_FALSE(MatchesHashedPassword(*hashed, L"pa ss \u00e9", hashing));
}

// Puts one registry value of the current user back as it was, of whatever type, or removes it.
class RegistryValueGuard {
 public:
  RegistryValueGuard(const wchar_t* key, const wchar_t* name) : key_(key), name_(name) {
    DWORD size = 0;
    existed_ = ::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type_,
                              nullptr, &size) == ERROR_SUCCESS;
    data_.resize(size);
    if (existed_)
      ::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type_, data_.data(),
                     &size);
  }
  ~RegistryValueGuard() {
    if (existed_) {
      ::RegSetKeyValueW(HKEY_CURRENT_USER, key_, name_, type_, data_.data(),
                        static_cast<DWORD>(data_.size()));
    } else {
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key_, name_);
    }
  }
  RegistryValueGuard(const RegistryValueGuard&) = delete;
  RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

  // The value's type and text; REG_NONE when it is missing.
  std::pair<DWORD, std::wstring> Current() const {
    DWORD type = 0;
    wchar_t text[1024] = {};
    DWORD size = sizeof text;
    if (::RegGetValueW(HKEY_CURRENT_USER, key_, name_, RRF_RT_ANY | RRF_NOEXPAND, &type, text,
                       &size) != ERROR_SUCCESS)
      return {REG_NONE, {}};
    return {type, type == REG_SZ ? std::wstring(text) : std::wstring()};
  }
  void SetText(const std::wstring& text) const {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, key_, name_, REG_SZ, text.c_str(),
                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }

 private:
  const wchar_t* key_;
  const wchar_t* name_;
  bool existed_ = false;
  DWORD type_ = REG_NONE;
  std::vector<BYTE> data_;
};

TEST(PasswordRegistryTest, APlainValueUnlocksAndIsWrittenBackAsItsHash) {
  RegistryValueGuard value(L"Software\\Windows\\Cryptography", L"10");
  win32::Win32UserRegistry registry;
  win32::Win32PasswordHashing hashing;
  PasswordStore store(registry, hashing);

  value.SetText(L"Pa ss");
  std::wstring appPassword = store.Read();
  EXPECT_TRUE(PasswordVerifier(appPassword, hashing).Matches(L"Pa ss"));
  appPassword = store.Write(appPassword);

  const auto [type, text] = value.Current();
  EXPECT_EQ(type, DWORD{REG_SZ});
  EXPECT_EQ(ClassifyStoredPassword(text), StoredPasswordKind::kHashed);
  EXPECT_EQ(text.find(L"Pa ss"), std::wstring::npos);
  EXPECT_EQ(text, appPassword);
  const std::wstring nextRun = store.Read();
  EXPECT_TRUE(PasswordVerifier(nextRun, hashing).Matches(L"Pa ss"));
  EXPECT_FALSE(PasswordVerifier(nextRun, hashing).Matches(L"Pa s"));
}

class AutoStartRegistryTest : public ::testing::Test {
 protected:
  RegistryValueGuard entry{L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"DPX"};
  win32::Win32UserRegistry registry;
  AutoStart autoStart{registry, L"C:\\Program Files\\DPX\\dpx.exe"};
};

TEST_F(AutoStartRegistryTest, CheckingWritesTheQuotedRunValueAndUncheckingRemovesIt) {
  autoStart.SetAutoStart(false);
  EXPECT_FALSE(autoStart.IsAutoStartOn());
  autoStart.SetAutoStart(true);
  EXPECT_EQ(entry.Current(),
            std::make_pair(DWORD{REG_SZ}, std::wstring(L"\"C:\\Program Files\\DPX\\dpx.exe\" /q")));
  EXPECT_TRUE(autoStart.IsAutoStartOn());
  autoStart.SetAutoStart(false);
  EXPECT_EQ(entry.Current().first, DWORD{REG_NONE});
  EXPECT_FALSE(autoStart.IsAutoStartOn());
}

TEST_F(AutoStartRegistryTest, AnOldUnquotedEntryIsRewrittenQuotedAtStart) {
  entry.SetText(L"C:\\Program Files\\DPX\\dpx.exe /q");
  bool shownChecked = false;
  autoStart.ShowAtStart([&](bool checked) { shownChecked = checked; });
  EXPECT_TRUE(shownChecked);
  EXPECT_EQ(entry.Current().second, L"\"C:\\Program Files\\DPX\\dpx.exe\" /q");
}

}  // namespace
}  // namespace dpx
