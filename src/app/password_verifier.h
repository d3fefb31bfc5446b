#pragma once

#include <string>

#include "platform/password_hashing.h"

namespace dpx {

// Checks typed text against the application password in memory. The program keeps there what
// the registry value "10" holds: empty (no password), a hash (password_hash_text.h), or, until the
// next save replaces it, a password that an earlier version stored as typed.
class PasswordVerifier {
 public:
  // Refers to `appPassword`, so a password set later in the run is the one checked.
  PasswordVerifier(const std::wstring& appPassword, PasswordHashing& hashing)
      : appPassword_(appPassword), hashing_(hashing) {}
  PasswordVerifier(std::wstring&&, PasswordHashing&) = delete;

  bool IsSet() const { return !appPassword_.empty(); }
  // Exact and case-sensitive on the whole typed text. Throws PasswordHashingError.
  bool Matches(const std::wstring& entered) const;

 private:
  const std::wstring& appPassword_;
  PasswordHashing& hashing_;
};

}  // namespace dpx
