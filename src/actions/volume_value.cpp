#include "actions/volume_value.h"

#include <cmath>

namespace dpx {

VolumeValue VolumeFromLevel(float level) {
  if (!(level > 0.0f)) return 0;  // also NaN
  if (level >= 1.0f) return kFullVolume;
  const double scaled = static_cast<double>(kFullVolume) * static_cast<double>(level);
  const double floor = std::floor(scaled);
  const double fraction = scaled - floor;
  auto rounded = static_cast<VolumeValue>(floor);
  if (fraction > 0.5 || (fraction == 0.5 && rounded % 2 != 0)) ++rounded;
  return rounded;
}

float LevelFromVolume(VolumeValue value) {
  return static_cast<float>(static_cast<long double>(value) / kFullVolume);
}

int SliderPositionFromVolume(VolumeValue value) {
  return kFullVolume - value;
}

VolumeValue VolumeFromSliderPosition(int position) {
  return static_cast<VolumeValue>(kFullVolume - position);
}

}  // namespace dpx
