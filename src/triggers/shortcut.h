#pragma once

#include <cstdint>

namespace dpx {

// A hot key as one 16-bit value: the virtual-key code in bits 0-12 and the modifiers above it.
// 0 means no short cut.
using TShortCut = std::uint16_t;

inline constexpr TShortCut kShortCutShift = 0x2000;
inline constexpr TShortCut kShortCutCtrl = 0x4000;
inline constexpr TShortCut kShortCutAlt = 0x8000;
inline constexpr TShortCut kShortCutKeyMask = 0x1FFF;

// RegisterHotKey's modifier flags.
inline constexpr unsigned kModAlt = 1;
inline constexpr unsigned kModControl = 2;
inline constexpr unsigned kModShift = 4;

// The modifiers that come with a key event. The Windows key never counts.
struct ShiftState {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;

  bool Empty() const { return !shift && !ctrl && !alt; }
  bool operator==(const ShiftState&) const = default;
};

struct SplitShortCutResult {
  std::uint16_t keyCode = 0;
  ShiftState shift;
};

// 0 when the key code does not fit in a byte.
TShortCut MakeShortCut(std::uint16_t keyCode, ShiftState shift);
SplitShortCutResult SplitShortCut(TShortCut value);
unsigned ShiftToModifiers(ShiftState shift);

// The shift state of a key message: Shift and Ctrl as the keyboard state has them (GetKeyState
// negative), Alt from bit 29 of the message's lParam (the context code).
ShiftState ShiftStateOfKeyMessage(bool shiftKeyDown, bool ctrlKeyDown, std::uintptr_t lParam);

}  // namespace dpx
