#pragma once

#include <string>

#include "platform/key_names.h"
#include "platform/text_services.h"
#include "triggers/shortcut.h"

namespace dpx {

// The text form of a hot key: "Shift+", "Ctrl+" and "Alt+" in that order, then the key name.
// Empty when the key has no name, whatever the modifiers.
std::wstring FormatHotKeyText(TShortCut value, KeyNames& names);

// Prefixes ("Shift+", "Ctrl+" or "^", "Alt+") come in any order and case; the key name is
// matched without regard to case, and the lowest key code with that name wins, so "5" is the
// main-row digit and "/" the numeric-pad divide key. 0 when the text does not parse.
TShortCut ParseHotKeyText(const std::wstring& text, KeyNames& names, TextServices& textServices);

}  // namespace dpx
