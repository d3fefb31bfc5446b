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
  text_ = FormatHotKeyText(MakeShortCut(keyCode, shift), names_);
  return true;
}

void HotKeyCaptureField::KeyUp() {
  if (!registration_.AssignHotKey(id_, text_)) page_.ShowShortcutsPageAndFocus(id_);
}

HotKeyCaptureFields::HotKeyCaptureFields(Options& options, HotKeyRegistration& registration,
                                         KeyNames& names, ShortcutsPage& page)
    : fields_{HotKeyCaptureField{kHideHotKey, options.hideKey, registration, names, page},
              HotKeyCaptureField{kProgramHotKey, options.programKey, registration, names, page},
              HotKeyCaptureField{kScreenSaverHotKey, options.screenSaverKey, registration, names,
                                 page}} {}

}  // namespace dpx
