#pragma once

#include "platform/text_services.h"

namespace dpx::fakes {

// Windows-1252 as the system ANSI code page ('?' for what it cannot hold). Comparison orders by
// the letters first, ignoring case and accents, then puts unaccented before accented letters,
// then lower case before upper case, as the Windows user locale does for Latin text. Upper case
// and accents cover ASCII and the Latin-1 letters.
class FakeTextServices final : public TextServices {
 public:
  std::string ToAnsi(const std::wstring& text) override;
  std::wstring FromAnsi(const std::string& bytes) override;
  int Compare(const std::wstring& a, const std::wstring& b) override;
  std::wstring ToUpper(const std::wstring& text) override;
};

}  // namespace dpx::fakes
