#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "actions/volume_value.h"

namespace dpx {
namespace {

struct LevelCase {
  float level;
  VolumeValue volume;
  int sliderPosition;
};

TEST(VolumeValueTest, LevelsBecomeValuesRoundedHalfToEven) {
  const LevelCase cases[] = {
      {0.5f, 32768, 32767},  // 32767.5 goes to the even neighbour
      {1.0f, 65535, 0},      // full level at the top of the slider
      {0.0f, 0, 65535},
      {0.25f, 16384, 49151},  // 16383.75: the nearest, not the truncated value
      {0.75f, 49151, 16384},  // 49151.25
  };
  for (const LevelCase& c : cases) {
    SCOPED_TRACE(c.level);
    EXPECT_EQ(VolumeFromLevel(c.level), c.volume);
    EXPECT_EQ(SliderPositionFromVolume(VolumeFromLevel(c.level)), c.sliderPosition);
  }
}

TEST(VolumeValueTest, LevelsOutsideTheRangeAreHeldToIt) {
  EXPECT_EQ(VolumeFromLevel(1.5f), 65535);
  EXPECT_EQ(VolumeFromLevel(-0.25f), 0);
  EXPECT_EQ(VolumeFromLevel(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(VolumeValueTest, ValuesBecomeLevels) {
  EXPECT_EQ(LevelFromVolume(65535), 1.0f);
  EXPECT_EQ(LevelFromVolume(0), 0.0f);
  EXPECT_GT(LevelFromVolume(32768), 0.5f);
  EXPECT_LT(LevelFromVolume(32768), 0.50002f);
  // Every value survives the way to the endpoint and back.
  for (int value = 0; value <= 65535; value += 257)
    EXPECT_EQ(VolumeFromLevel(LevelFromVolume(static_cast<VolumeValue>(value))), value);
}

TEST(VolumeValueTest, SliderTopIsFullVolume) {
  EXPECT_EQ(VolumeFromSliderPosition(0), 65535);
  EXPECT_EQ(VolumeFromSliderPosition(65535), 0);
  EXPECT_EQ(VolumeFromSliderPosition(SliderPositionFromVolume(1234)), 1234);
}

}  // namespace
}  // namespace dpx
