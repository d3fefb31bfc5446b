#include "app/command_line.h"

namespace dpx {

bool IsQuietStart(const std::vector<std::wstring>& arguments) {
  if (arguments.empty()) return false;
  const std::wstring& first = arguments.front();
  return first == L"/Q" || first == L"/q";
}

bool IsRestoreCommand(const std::vector<std::wstring>& arguments) {
  if (arguments.empty()) return false;
  std::wstring first = arguments.front();
  for (wchar_t& c : first)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return first == L"/restore";
}

}  // namespace dpx
