#pragma once

#include <string>
#include <vector>

namespace dpx {

// True when the first argument (the program's own path not counted) is "/Q" in any case. Only the
// first argument is looked at; autostart passes it in lower case.
bool IsQuietStart(const std::vector<std::wstring>& arguments);
// True when the first argument is "/restore" in any case: only put back a desktop that a run
// left hidden, then end.
bool IsRestoreCommand(const std::vector<std::wstring>& arguments);

}  // namespace dpx
