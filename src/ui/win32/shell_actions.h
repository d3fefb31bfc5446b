#pragma once

namespace dpx::win32 {

// The maker's web site, opened by the two link labels and when the Windows version is refused.
inline constexpr wchar_t kMakerWebSite[] = L"https://www.orvalen.example/dpx/";

// Opens the maker's web site in the user's browser; the result is ignored.
void OpenMakerWebSite();

}  // namespace dpx::win32
