#include "triggers/hot_key_text.h"

#include <array>

namespace dpx {
namespace {

// Codes scanned when a name is looked up; the range reaches past a byte, and codes above 255
// carry the name of their low byte.
constexpr unsigned kFirstNamedCode = 8;
constexpr unsigned kLastNamedCode = 0x255;

struct FixedName {
  unsigned code;
  const wchar_t* name;
};

constexpr std::array<FixedName, 15> kFixedNames{{
    {8, L"BkSp"},
    {9, L"Tab"},
    {13, L"Enter"},
    {27, L"Esc"},
    {32, L"Space"},
    {33, L"PgUp"},
    {34, L"PgDn"},
    {35, L"End"},
    {36, L"Home"},
    {37, L"Left"},
    {38, L"Up"},
    {39, L"Right"},
    {40, L"Down"},
    {45, L"Ins"},
    {46, L"Del"},
}};

// The name of a key code's low byte: a fixed name where DPX has one, else the layout's.
std::wstring KeyNameOf(unsigned code, KeyNames& names) {
  const unsigned key = code & 0xFF;
  for (const FixedName& fixed : kFixedNames)
    if (fixed.code == key) return fixed.name;
  if (key >= '0' && key <= '9') return std::wstring(1, static_cast<wchar_t>(key));
  if (key >= 'A' && key <= 'Z') return std::wstring(1, static_cast<wchar_t>(key));
  constexpr unsigned kNumPad0 = 96, kNumPad9 = 105, kF1 = 112, kF24 = 135;
  if (key >= kNumPad0 && key <= kNumPad9)
    return std::wstring(1, static_cast<wchar_t>(L'0' + (key - kNumPad0)));
  if (key >= kF1 && key <= kF24) return L"F" + std::to_wstring(key - 111);
  return names.KeyName(key);
}

bool SameText(const std::wstring& a, const std::wstring& b, TextServices& textServices) {
  return textServices.ToUpper(a) == textServices.ToUpper(b);
}

// Removes `prefix` from the front of `text` when it is there, in any case.
bool TakePrefix(std::wstring& text, const std::wstring& prefix, TextServices& textServices) {
  if (text.size() < prefix.size()) return false;
  if (!SameText(text.substr(0, prefix.size()), prefix, textServices)) return false;
  text.erase(0, prefix.size());
  return true;
}

}  // namespace

std::wstring FormatHotKeyText(TShortCut value, KeyNames& names) {
  const std::wstring name = KeyNameOf(value, names);
  if (name.empty()) return {};
  std::wstring text;
  if (value & kShortCutShift) text += L"Shift+";
  if (value & kShortCutCtrl) text += L"Ctrl+";
  if (value & kShortCutAlt) text += L"Alt+";
  return text + name;
}

TShortCut ParseHotKeyText(const std::wstring& text, KeyNames& names, TextServices& textServices) {
  std::wstring rest = text;
  TShortCut modifiers = 0;
  for (;;) {
    if (TakePrefix(rest, L"Shift+", textServices))
      modifiers |= kShortCutShift;
    else if (TakePrefix(rest, L"^", textServices))
      modifiers |= kShortCutCtrl;
    else if (TakePrefix(rest, L"Ctrl+", textServices))
      modifiers |= kShortCutCtrl;
    else if (TakePrefix(rest, L"Alt+", textServices))
      modifiers |= kShortCutAlt;
    else
      break;
  }
  if (rest.empty()) return 0;
  for (unsigned code = kFirstNamedCode; code <= kLastNamedCode; ++code) {
    const std::wstring name = KeyNameOf(code, names);
    if (!name.empty() && SameText(name, rest, textServices))
      return static_cast<TShortCut>(code | modifiers);
  }
  return 0;
}

}  // namespace dpx
