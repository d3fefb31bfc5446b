#include "fakes/simulated_display.h"

#include <cstring>

namespace dpx::fakes {
namespace {

// The record a real platform hands back: here the four fields as bytes, so that a switch applies
// exactly the record it was given.
std::vector<std::uint8_t> Record(const DisplayMode& mode) {
  std::vector<std::uint8_t> record(sizeof mode);
  std::memcpy(record.data(), &mode, sizeof mode);
  return record;
}

}  // namespace

std::optional<DisplaySettings> SimulatedDisplay::Settings(int modeNumber) {
  if (modeNumber == kCurrentSettings) return DisplaySettings{current_, Record(current_)};
  if (modeNumber < 0 || modeNumber >= static_cast<int>(modes_.size())) return std::nullopt;
  const DisplayMode& mode = modes_[static_cast<std::size_t>(modeNumber)];
  return DisplaySettings{mode, Record(mode)};
}

std::optional<DisplayMode> SimulatedDisplay::RawMode(int index) {
  if (index < 0 || index >= static_cast<int>(rawModes_.size())) return std::nullopt;
  return rawModes_[static_cast<std::size_t>(index)];
}

bool SimulatedDisplay::Change(const DisplaySettings& settings) {
  // An all-zero or foreign record is what a real display refuses or misapplies.
  if (settings.record.size() != sizeof(DisplayMode)) {
    changes_.push_back({});
    return false;
  }
  DisplayMode mode;
  std::memcpy(&mode, settings.record.data(), sizeof mode);
  changes_.push_back(mode);
  if (refuseChanges_) return false;
  current_ = mode;
  return true;
}

}  // namespace dpx::fakes
