#pragma once

// The fixed texts of the Shortcuts page under "&Extra Settings".
namespace dpx::shortcuts_page_texts {

inline constexpr wchar_t kHideGroup[] = L"Hide/Restore windows hot key";
inline constexpr wchar_t kProgramGroup[] = L"Hide/Show program hot key";
inline constexpr wchar_t kScreenSaverGroup[] = L"Start Screen saver";
inline constexpr wchar_t kScreenSaverGroupHint[] = L"Start Screen saver hot key configuration";

// The hint of each of the three capture fields.
inline constexpr wchar_t kCaptureFieldHint[] =
    L"Click in this field and hit the key of your choice. Please click outside the box using "
    L"your mouse before hitting any other keys.";

// The two corner buttons beside the hide and screen-saver fields.
inline constexpr wchar_t kCornerButtonHint[] = L"Activate On Mouse Shortcut";

inline constexpr wchar_t kLockWorkstation[] =
    L"Lock workstation before starting ( For OS >= Win 2000)";
inline constexpr wchar_t kLockWorkstationHint[] =
    L"This feature is available only for Windows 2000/XP/NT systems";

inline constexpr wchar_t kQuickInstructionsGroup[] = L"Quick instructions";
// Cut at 255 characters, mid-sentence, as the page has always shown it.
inline constexpr wchar_t kQuickInstructions[] =
    L"Click inside one of the edit boxes (white fields) and press the key combination that you "
    L"want to assign. The key name will be displayed in the field. Click the button with the "
    L"mouse icon to set a mouse shortcut for the action. Hide the application and try";

}  // namespace dpx::shortcuts_page_texts
