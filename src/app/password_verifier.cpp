#include "app/password_verifier.h"

#include "app/password_hash.h"

namespace dpx {

bool PasswordVerifier::Matches(const std::wstring& entered) const {
  switch (ClassifyStoredPassword(appPassword_)) {
    case StoredPasswordKind::kHashed:
      return MatchesHashedPassword(*ParseHashedPassword(appPassword_), entered, hashing_);
    case StoredPasswordKind::kPlainText:
      return entered == appPassword_;
    case StoredPasswordKind::kNone:
    case StoredPasswordKind::kDamaged:
      break;
  }
  return false;
}

}  // namespace dpx
