#pragma once

#include <string>

namespace dpx {

// UTF-8 of a wide text whose wchar_t is UTF-16 (Windows) or UTF-32 (the portable build), so both
// builds give the same bytes. Unpaired surrogates and values beyond U+10FFFF become U+FFFD.
std::string ToUtf8(const std::wstring& text);

}  // namespace dpx
