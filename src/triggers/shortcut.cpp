#include "triggers/shortcut.h"

namespace dpx {

TShortCut MakeShortCut(std::uint16_t keyCode, ShiftState shift) {
  if ((keyCode & 0xFF00) != 0) return 0;
  TShortCut value = keyCode;
  if (shift.shift) value |= kShortCutShift;
  if (shift.ctrl) value |= kShortCutCtrl;
  if (shift.alt) value |= kShortCutAlt;
  return value;
}

SplitShortCutResult SplitShortCut(TShortCut value) {
  SplitShortCutResult result;
  result.keyCode = value & kShortCutKeyMask;
  result.shift.shift = (value & kShortCutShift) != 0;
  result.shift.ctrl = (value & kShortCutCtrl) != 0;
  result.shift.alt = (value & kShortCutAlt) != 0;
  return result;
}

unsigned ShiftToModifiers(ShiftState shift) {
  unsigned modifiers = 0;
  if (shift.shift) modifiers |= kModShift;
  if (shift.alt) modifiers |= kModAlt;
  if (shift.ctrl) modifiers |= kModControl;
  return modifiers;
}

ShiftState ShiftStateOfKeyMessage(bool shiftKeyDown, bool ctrlKeyDown, std::uintptr_t lParam) {
  constexpr std::uintptr_t kContextCode = std::uintptr_t{1} << 29;
  return {shiftKeyDown, ctrlKeyDown, (lParam & kContextCode) != 0};
}

}  // namespace dpx
