#include "app/password_store.h"

namespace dpx {
namespace {
// The key is known as "\Software\Windows\Cryptography\", a path from the root of the hive; the
// registry calls want it without the leading backslash: with it, both opening and creating the key
// fail with ERROR_BAD_PATHNAME.
const std::wstring kKeyPath = L"Software\\Windows\\Cryptography";
const std::wstring kValueName = L"10";
}  // namespace

PasswordStore::PasswordStore(UserRegistry& registry) : registry_(registry) {}

std::wstring PasswordStore::Read() {
  return registry_.ReadText(kKeyPath, kValueName).value_or(std::wstring());
}

void PasswordStore::Write(const std::wstring& password) {
  // A failure keeps what was stored; there is nothing the user could do about it here.
  (void)registry_.WriteText(kKeyPath, kValueName, password);
}

}  // namespace dpx
