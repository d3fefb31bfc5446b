#include "triggers/capture_field.h"

#include "triggers/hot_key_text.h"

namespace dpx {
namespace {

constexpr std::uint16_t kVkBack = 8;
constexpr std::uint16_t kVkShift = 16;
constexpr std::uint16_t kVkControl = 17;
constexpr std::uint16_t kVkMenu = 18;

// Keys that type, move the caret or are the layout's bracket and accent keys: taken as a hot
// key they would leave the user unable to type them.
bool IsTypingKey(std::uint16_t keyCode) {
  return (keyCode >= 32 && keyCode <= 127) || keyCode == 192 || (keyCode >= 219 && keyCode <= 221);
}

bool IsHeldModifierKey(std::uint16_t keyCode, ShiftState shift) {
  return (keyCode == kVkControl && shift.ctrl) || (keyCode == kVkShift && shift.shift) ||
         (keyCode == kVkMenu && shift.alt);
}

constexpr std::uint16_t kVkNumPad0 = 96;
constexpr std::uint16_t kVkNumPad9 = 105;
constexpr std::uint16_t kVkDivide = 111;
constexpr std::uint16_t kVkOem2 = 191;  // the main slash key

// DPX names the numeric-pad digits after the main-row digits, and the numeric-pad divide key
// registers as the main slash key: their texts stand for these twins on purpose. 0 for others.
std::uint16_t TwinOf(std::uint16_t keyCode) {
  if (keyCode >= kVkNumPad0 && keyCode <= kVkNumPad9) return '0' + (keyCode - kVkNumPad0);
  return keyCode == kVkDivide ? kVkOem2 : 0;
}

bool NamesTheSameKey(TShortCut parsed, TShortCut pressed) {
  const std::uint16_t twin = TwinOf(pressed & kShortCutKeyMask);
  return parsed == pressed || (twin != 0 && parsed == ((pressed & ~kShortCutKeyMask) | twin));
}

}  // namespace

bool FilterHotKeyKey(std::uint16_t& keyCode, ShiftState shift) {
  const bool noCtrlOrAlt = !shift.ctrl && !shift.alt;
  const bool refused = keyCode == kVkBack || (noCtrlOrAlt && IsTypingKey(keyCode)) ||
                       IsHeldModifierKey(keyCode, shift);
  if (refused) keyCode = 0;
  return !refused;
}

bool HotKeyCaptureField::KeyDown(std::uint16_t& keyCode, ShiftState shift) {
  if (!FilterHotKeyKey(keyCode, shift)) return false;
  const TShortCut pressed = MakeShortCut(keyCode, shift);
  std::wstring text = FormatHotKeyText(pressed, names_);
  if (!NamesTheSameKey(ParseHotKeyText(text, names_, textServices_), pressed)) {
    keyCode = 0;
    return false;
  }
  text_ = std::move(text);
  return true;
}

void HotKeyCaptureField::KeyUp() {
  if (!registration_.AssignHotKey(id_, text_)) page_.ShowShortcutsPageAndFocus(id_);
}

HotKeyCaptureFields::HotKeyCaptureFields(Options& options, HotKeyRegistration& registration,
                                         KeyNames& names, TextServices& textServices,
                                         ShortcutsPage& page)
    : fields_{
          HotKeyCaptureField{kHideHotKey, options.hideKey, registration, names, textServices, page},
          HotKeyCaptureField{kProgramHotKey, options.programKey, registration, names, textServices,
                             page},
          HotKeyCaptureField{kScreenSaverHotKey, options.screenSaverKey, registration, names,
                             textServices, page}} {}

}  // namespace dpx
