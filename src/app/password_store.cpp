#include "app/password_store.h"

#include "app/password_hash.h"

namespace dpx {
namespace {
// The key is known as "\Software\Windows\Cryptography\", a path from the root of the hive; the
// registry calls want it without the leading backslash: with it, both opening and creating the key
// fail with ERROR_BAD_PATHNAME.
const std::wstring kKeyPath = L"Software\\Windows\\Cryptography";
const std::wstring kValueName = L"10";
}  // namespace

PasswordWriteError::PasswordWriteError()
    : AppError(L"Unable to write to HKEY_CURRENT_USER\\" + kKeyPath + L"\\" + kValueName) {}

std::wstring PasswordStore::Read() {
  std::wstring stored = registry_.ReadText(kKeyPath, kValueName).value_or(std::wstring());
  switch (ClassifyStoredPassword(stored)) {
    case StoredPasswordKind::kHashed:
    case StoredPasswordKind::kPlainText:
      return stored;
    case StoredPasswordKind::kNone:
    case StoredPasswordKind::kDamaged:
      break;
  }
  return {};
}

std::wstring PasswordStore::Write(const std::wstring& appPassword) {
  std::wstring toStore = appPassword;
  switch (ClassifyStoredPassword(appPassword)) {
    case StoredPasswordKind::kPlainText:
      try {
        toStore = HashPassword(appPassword, hashing_);
      } catch (const PasswordHashingError&) {
        return appPassword;  // the stored value stays what it was
      }
      break;
    case StoredPasswordKind::kDamaged:  // reads as no password, so it is stored as none
      toStore.clear();
      break;
    case StoredPasswordKind::kNone:
    case StoredPasswordKind::kHashed:
      break;
  }
  if (!registry_.WriteText(kKeyPath, kValueName, toStore)) throw PasswordWriteError();
  return toStore;
}

}  // namespace dpx
