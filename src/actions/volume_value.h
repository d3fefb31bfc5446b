#pragma once

#include <cstdint>

namespace dpx {

// A volume level from 0 to 65535, the unit of the sliders and of the stored "Volume".
using VolumeValue = std::uint16_t;
inline constexpr VolumeValue kFullVolume = 65535;

// The endpoint's scalar level (0.0 to 1.0) as a volume value: rounded to the nearest, halves to
// the even neighbour. Levels outside the range (a misbehaving driver) are held to it.
VolumeValue VolumeFromLevel(float level);
// The value divided by full scale, computed in extended precision.
float LevelFromVolume(VolumeValue value);

// The volume sliders are vertical with the full level at the top, where the position is 0.
int SliderPositionFromVolume(VolumeValue value);
// Kept in 16 bits, as the stored value is.
VolumeValue VolumeFromSliderPosition(int position);

// The level and mute state of an endpoint.
struct VolumeState {
  VolumeValue volume = 0;
  bool muted = false;

  friend bool operator==(const VolumeState&, const VolumeState&) = default;
};

}  // namespace dpx
