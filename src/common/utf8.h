#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dpx {

// UTF-8 of a wide text whose wchar_t is UTF-16 (Windows) or UTF-32 (the portable build), so both
// builds give the same bytes. Unpaired surrogates and values beyond U+10FFFF become U+FFFD.
std::string ToUtf8(const std::wstring& text);
// The wide text of strict UTF-8; nullopt for overlong forms, surrogates, values beyond U+10FFFF
// and cut sequences, so text read from a file is never taken half-decoded.
std::optional<std::wstring> FromUtf8(std::string_view bytes);

}  // namespace dpx
