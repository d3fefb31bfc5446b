#include "app/command_line.h"

namespace dpx {

bool IsQuietStart(const std::vector<std::wstring>& arguments) {
  if (arguments.empty()) return false;
  const std::wstring& first = arguments.front();
  return first == L"/Q" || first == L"/q";
}

}  // namespace dpx
