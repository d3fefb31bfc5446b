#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/display_modes.h"

namespace dpx::fakes {

// A primary display with a list of modes, a raw (driver) list for the menu, and the mode in
// force. The platform records it hands out carry a serial number, so a test can tell which
// enumeration a switch came from.
class SimulatedDisplay final : public DisplayModes {
 public:
  SimulatedDisplay(std::vector<DisplayMode> modes, DisplayMode current)
      : modes_(std::move(modes)), rawModes_(modes_), current_(current) {}

  void SetRawModes(std::vector<DisplayMode> rawModes) { rawModes_ = std::move(rawModes); }
  void SetCurrent(const DisplayMode& mode) { current_ = mode; }
  void RefuseChanges(bool refuse) { refuseChanges_ = refuse; }

  const DisplayMode& current() const { return current_; }
  // Every switch asked for, refused ones included.
  const std::vector<DisplayMode>& changes() const { return changes_; }

  std::optional<DisplaySettings> Settings(int modeNumber) override;
  std::optional<DisplayMode> RawMode(int index) override;
  bool Change(const DisplaySettings& settings) override;

 private:
  std::vector<DisplayMode> modes_;
  std::vector<DisplayMode> rawModes_;
  DisplayMode current_;
  bool refuseChanges_ = false;
  std::vector<DisplayMode> changes_;
};

}  // namespace dpx::fakes
