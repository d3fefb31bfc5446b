#pragma once

#include <string>

#include "platform/user_registry.h"

namespace dpx {

// Where the application password is kept between runs: the string value "10" under the current
// user's key Software\Windows\Cryptography. The empty text means no password. Registry failures
// are swallowed on purpose: a password that cannot be read counts as none, and one that cannot be
// written keeps what was stored.
class PasswordStore {
 public:
  explicit PasswordStore(UserRegistry& registry);

  // The stored password; empty when none is stored or it cannot be read.
  std::wstring Read();
  // Stores `password`, also when it is empty.
  void Write(const std::wstring& password);

 private:
  UserRegistry& registry_;
};

}  // namespace dpx
