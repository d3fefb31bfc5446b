#pragma once

#include <string>

namespace dpx {

// Removes leading and trailing characters with codes 0 to 32 (blanks and control characters).
std::wstring TrimControls(const std::wstring& text);
// The text after the last backslash or colon: the file name of a path.
std::wstring FileNamePart(const std::wstring& path);
// Equality that folds only the ASCII letters A to Z, as device names are compared.
bool EqualsIgnoringAsciiCase(const std::wstring& a, const std::wstring& b);

}  // namespace dpx
