#pragma once

#include <string>

#include "app/app_error.h"
#include "platform/password_hashing.h"
#include "platform/user_registry.h"

namespace dpx {

// "Unable to write to HKEY_CURRENT_USER\Software\Windows\Cryptography\10".
class PasswordWriteError : public AppError {
 public:
  PasswordWriteError();
};

// Where the application password is kept between runs: the string value "10" under the current
// user's key Software\Windows\Cryptography, holding a salted hash of the password (never the
// password itself; see password_hash_text.h). A password that cannot be read counts as none; one
// that cannot be written is an error for the user, since the next start would find another.
class PasswordStore {
 public:
  PasswordStore(UserRegistry& registry, PasswordHashing& hashing)
      : registry_(registry), hashing_(hashing) {}

  // What the value holds, for the program to keep in memory: a hash, or a plain text that an
  // earlier version stored. Empty when nothing is stored, it cannot be read (missing, another
  // type, access refused) or it is damaged (starts like a hash but is not one).
  std::wstring Read();
  // Stores `appPassword` (what Read gave, a new hash, or empty), also when it is empty. A plain
  // text is replaced by its hash first; when it cannot be hashed, nothing is written, so the
  // password text never reaches the registry from here. Returns the text the value now holds
  // for the password, which the caller keeps in memory in its place. Throws PasswordWriteError
  // when the registry refuses the value.
  std::wstring Write(const std::wstring& appPassword);

 private:
  UserRegistry& registry_;
  PasswordHashing& hashing_;
};

}  // namespace dpx
