#pragma once

#include <windows.h>

#include <string>

namespace dpx::win32 {

// Help context numbers of the help file "Help.chm".
namespace help {
inline constexpr DWORD kMainWindow = 1000;
inline constexpr DWORD kWindowsPage = 1001;
inline constexpr DWORD kExtraSettingsPage = 1010;
inline constexpr DWORD kGeneralSubPage = 1011;
inline constexpr DWORD kSoundVolumeGroups = 1012;
inline constexpr DWORD kShortcutsSubPage = 1013;
inline constexpr DWORD kDisplaySubPage = 1014;
inline constexpr DWORD kAboutPage = 1030;
}  // namespace help

// Opens the help file at a context number.
void OpenHelp(const std::wstring& helpFile, DWORD context);

// The context of `control` or, when it has none, of its nearest enclosing window that has one
// (contexts are attached with SetWindowContextHelpId); the main window's when none has.
DWORD HelpContextOf(HWND control);

}  // namespace dpx::win32
