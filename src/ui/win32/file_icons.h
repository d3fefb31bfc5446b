#pragma once

#include <string>

#include "ui/win32/ui_handles.h"

namespace dpx::win32 {

// The small icon the shell associates with the file's type (the file itself is not read, so a
// missing or empty path still gives the generic icon). Empty when the shell gives none.
UniqueIcon GetFileSmallIcon(const std::wstring& path);

}  // namespace dpx::win32
