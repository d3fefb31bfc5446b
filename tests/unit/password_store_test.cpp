// The application password in the registry value "10": a hash goes in and comes back, an earlier
// version's plain text still reads and is replaced by its hash when written, and a value that is
// neither reads as no password.
#include <gtest/gtest.h>

#include "app/password_hash.h"
#include "app/password_store.h"
#include "app/password_verifier.h"
#include "fakes/fake_user_registry.h"
#include "fakes/portable_password_hashing.h"

namespace dpx {
namespace {

const std::wstring kKey = L"Software\\Windows\\Cryptography";

class PasswordStoreTest : public ::testing::Test {
 protected:
  std::wstring Stored() const {
    const auto value = registry.Get(kKey, L"10");
    return value && std::holds_alternative<std::wstring>(*value) ? std::get<std::wstring>(*value)
                                                                 : L"<no text>";
  }
  bool Unlocks(const std::wstring& appPassword, const std::wstring& typed) {
    return PasswordVerifier{appPassword, hashing}.Matches(typed);
  }

  fakes::FakeUserRegistry registry;
  fakes::PortablePasswordHashing hashing;
  PasswordStore store{registry, hashing};
};

TEST_F(PasswordStoreTest, AHashGoesInAsItIsAndReadsBack) {
  const std::wstring hashed = HashPassword(L"Secret", hashing);
  EXPECT_EQ(store.Write(hashed), hashed);
  EXPECT_EQ(Stored(), hashed);
  EXPECT_EQ(store.Read(), hashed);
  EXPECT_TRUE(Unlocks(store.Read(), L"Secret"));

  EXPECT_EQ(store.Write(L""), L"");
  EXPECT_EQ(Stored(), L"");
  EXPECT_EQ(store.Read(), L"");
}

TEST_F(PasswordStoreTest, AnEarlierPlainTextUnlocksUntilTheNextWriteReplacesItByItsHash) {
  registry.WriteText(kKey, L"10", L"Pa ss");
  const std::wstring read = store.Read();
  EXPECT_TRUE(Unlocks(read, L"Pa ss"));
  EXPECT_FALSE(Unlocks(read, L"pa ss"));

  const std::wstring kept = store.Write(read);
  EXPECT_EQ(ClassifyStoredPassword(Stored()), StoredPasswordKind::kHashed);
  EXPECT_EQ(Stored().find(L"Pa ss"), std::wstring::npos);
  EXPECT_EQ(kept, Stored());
  EXPECT_TRUE(Unlocks(store.Read(), L"Pa ss"));
  EXPECT_FALSE(Unlocks(store.Read(), L"Pa s"));
}

TEST_F(PasswordStoreTest, APlainTextThatCannotBeHashedIsNotWritten) {
  registry.WriteText(kKey, L"10", L"old");
  hashing.fail = true;
  EXPECT_EQ(store.Write(L"Pa ss"), L"Pa ss");
  EXPECT_EQ(Stored(), L"old");
}

TEST_F(PasswordStoreTest, AValueThatIsNeitherReadsAsNoPassword) {
  const std::wstring hashed = HashPassword(L"Secret", hashing);
  for (const std::wstring& damaged :
       {std::wstring(L"pbkdf2-sha256$"), hashed.substr(0, hashed.size() - 1), hashed + L"$"}) {
    registry.WriteText(kKey, L"10", damaged);
    EXPECT_EQ(store.Read(), L"") << damaged.size();
  }
  registry.SetNumber(kKey, L"10", 1234);
  EXPECT_EQ(store.Read(), L"");
  // Written back, it stays no password.
  EXPECT_EQ(store.Write(L"pbkdf2-sha256$1$00"), L"");
  EXPECT_EQ(Stored(), L"");
}

TEST_F(PasswordStoreTest, AnEarlierPlainTextThatCannotBeHashedStaysAndStillUnlocks) {
  registry.WriteText(kKey, L"10", L"Pa ss");
  hashing.fail = true;
  const std::wstring kept = store.Write(store.Read());
  EXPECT_EQ(kept, L"Pa ss");
  EXPECT_EQ(Stored(), L"Pa ss");
  hashing.fail = false;
  EXPECT_TRUE(Unlocks(store.Read(), L"Pa ss"));
}

// The next start would find no password, or the old one: the save must not pass for done.
TEST_F(PasswordStoreTest, AValueTheRegistryRefusesIsAnErrorNamingIt) {
  const std::wstring hashed = HashPassword(L"Secret", hashing);
  registry.RefuseAccess(true);
  for (const std::wstring& password : {hashed, std::wstring(L"Pa ss"), std::wstring()}) {
    try {
      store.Write(password);
      ADD_FAILURE() << "no error for a password of " << password.size() << " characters";
    } catch (const PasswordWriteError& error) {
      EXPECT_EQ(error.Message(),
                L"Unable to write to HKEY_CURRENT_USER\\Software\\Windows\\Cryptography\\10");
    }
  }
  registry.RefuseAccess(false);
  EXPECT_EQ(Stored(), L"<no text>");
}

}  // namespace
}  // namespace dpx
