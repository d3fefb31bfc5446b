#include "common/strings.h"

namespace dpx {
namespace {

bool IsBlankOrControl(wchar_t c) {
  return static_cast<unsigned>(c) <= 32;
}

wchar_t AsciiUpper(wchar_t c) {
  return (c >= L'a' && c <= L'z') ? c - (L'a' - L'A') : c;
}

}  // namespace

std::wstring TrimControls(const std::wstring& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlankOrControl(text[first])) ++first;
  while (last > first && IsBlankOrControl(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::wstring FileNamePart(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\:");
  return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

bool EqualsIgnoringAsciiCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

}  // namespace dpx
