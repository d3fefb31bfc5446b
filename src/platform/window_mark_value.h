#pragma once

#include <cstdint>
#include <optional>

namespace dpx {

// DPX's mark on a window it hid, as a window property: its name, and its value, which holds the
// window's extended style from before the hide. A property value of 0 means "none" and a style
// may be 0, so the value carries a bit above the style's 32 bits. Shared by dpx.exe and the tray
// library, which hides windows of its own.
inline constexpr wchar_t kWindowMarkName[] = L"DPX.HiddenExStyle";
inline constexpr std::uint64_t kWindowMarkPresent = std::uint64_t{1} << 32;

inline std::uint64_t WindowMarkValue(std::uint32_t exStyle) {
  return kWindowMarkPresent | exStyle;
}

inline std::optional<std::uint32_t> MarkedExStyle(std::uint64_t value) {
  if ((value & kWindowMarkPresent) == 0) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

}  // namespace dpx
