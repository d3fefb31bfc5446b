#pragma once

#include <windows.h>

#include <string>

namespace dpx::win32 {

// UTF-8 for exception texts, which travel as std::string.
std::string Narrow(const std::wstring& text);
std::wstring Widen(const std::string& utf8);
// The system's text for an error code, without the trailing line break.
std::wstring SystemMessage(DWORD error);

}  // namespace dpx::win32
