// The samples a 2D set sounds as.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "ndim/document/NdSoundSamples.h"

namespace {

TEST(NdSoundSamples, EveryPointBecomesAByteAroundSilenceInTheOrderOfTheData) {
  // Two inner blocks of one trace of three points, complex: only the real
  // parts sound, one trace after another.
  const std::vector<float> data = {0.0f, 9.0f, 1.0f, 9.0f, -1.0f, 9.0f, 0.5f, 9.0f, -0.5f, 9.0f, 0.25f, 9.0f};
  // Spread 2: each value times 127.5, cut towards zero, less 128, as a byte.
  EXPECT_EQ((std::vector<unsigned char>{128, 255, 1, 191, 65, 159}),
            BuildNdSoundSamples(data.data(), 1, 2, 3, true, -1.0f, 1.0f));
  EXPECT_EQ((std::vector<unsigned char>{128, 251, 255, 251, 1, 251}),
            BuildNdSoundSamples(data.data(), 3, 2, 1, false, -1.0f, 1.0f))
      << "real: every value; 9 is beyond the range and wraps";
}

TEST(NdSoundSamples, AFlatOrBrokenSetIsSilenceAndNothingIsReadWithoutData) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<float> data = {3.0f, nan, -3.0f, 3.0f};
  EXPECT_EQ(std::vector<unsigned char>(4, 128), BuildNdSoundSamples(data.data(), 4, 1, 1, false, 3.0f, 3.0f));
  EXPECT_EQ(std::vector<unsigned char>(4, 128), BuildNdSoundSamples(data.data(), 4, 1, 1, false, nan, 3.0f));
  EXPECT_EQ(128, BuildNdSoundSamples(data.data(), 4, 1, 1, false, -3.0f, 3.0f)[1]) << "a NaN point";
  EXPECT_TRUE(BuildNdSoundSamples(nullptr, 4, 1, 1, false, -1.0f, 1.0f).empty());
  EXPECT_TRUE(BuildNdSoundSamples(data.data(), 4, 0, 1, false, -1.0f, 1.0f).empty());
}

}  // namespace
