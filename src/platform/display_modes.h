#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace dpx {

// The mode number of the settings now in force (ENUM_CURRENT_SETTINGS).
inline constexpr int kCurrentSettings = -1;

// The four fields of a display mode that DPX shows and compares.
struct DisplayMode {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bitsPerPel = 0;
  std::uint32_t frequency = 0;

  friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

// A whole display settings record as the platform enumerated it: the fields DPX reads, and the
// platform's own record, handed back unchanged when the settings are applied.
struct DisplaySettings {
  DisplayMode mode;
  std::vector<std::uint8_t> record;
};

// The display modes of the primary display.
class DisplayModes {
 public:
  virtual ~DisplayModes() = default;

  // The mode with this number in the platform's list, or kCurrentSettings; nullopt when the list
  // has no such mode.
  virtual std::optional<DisplaySettings> Settings(int modeNumber) = 0;
  // The raw (driver) enumeration, used only to build the menu; nullopt past its end.
  virtual std::optional<DisplayMode> RawMode(int index) = 0;
  // Switches to the settings, stored for the user. False when the platform refuses.
  virtual bool Change(const DisplaySettings& settings) = 0;
};

}  // namespace dpx
