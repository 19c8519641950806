// Axis ticks of the 2D plot: steps and labels by range, reversed axes, the
// zero label, empty and absurd ranges, and the values in each unit.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "ndim/data/DimensionBlock.h"
#include "ndim/plot/NdAxisTicks.h"

namespace {

std::vector<NdAxisTick> Ticks(double start, double end, int from, int to, double factor = 1.0,
                              AxisTickStep* step = nullptr) {
  NdAxisInput in;
  in.dStart = start;
  in.dEnd = end;
  in.nStartPixel = from;
  in.nEndPixel = to;
  in.dFactor = factor;
  return ComputeNdAxisTicks(in, step);
}

TEST(NdAxisTicks, StepsLabelsAndPositionsByRange) {
  AxisTickStep step;
  // 512 points over 500 pixels: every 20, labelled every 100.
  std::vector<NdAxisTick> t = Ticks(0, 512, 0, 500, 1.0, &step);
  EXPECT_EQ(step.dStep, 20);
  ASSERT_EQ(t.size(), 25u);
  EXPECT_EQ(t[0].dValue, 20);
  EXPECT_EQ(t[0].nPosition, static_cast<int>(20 / (512.0 / 500)));
  EXPECT_FALSE(t[0].bMajor);
  EXPECT_TRUE(t[4].bMajor);  // 100
  EXPECT_EQ(t.back().dValue, 500);
  // 40000 units: every tick a labelled 500.
  t = Ticks(0, 40000, 0, 800, 1.0, &step);
  EXPECT_EQ(step.dStep, 500);
  for (const NdAxisTick& tick : t)
    EXPECT_TRUE(tick.bMajor);
  // A print factor spreads the same ticks over more pixels.
  const std::vector<NdAxisTick> paper = Ticks(0, 512, 0, 500, 4.0);
  ASSERT_EQ(paper.size(), 25u);
  EXPECT_NEAR(paper[3].nPosition, 4 * Ticks(0, 512, 0, 500)[3].nPosition, 4);
}

TEST(NdAxisTicks, ReversedAxesPutTheLargerValueAtTheStart) {
  // ppm from 10 at the left to 0 at the right.
  const std::vector<NdAxisTick> t = Ticks(10, 0, 100, 600);
  ASSERT_FALSE(t.empty());
  for (size_t i = 1; i < t.size(); ++i) {
    EXPECT_GT(t[i].dValue, t[i - 1].dValue);
    EXPECT_LT(t[i].nPosition, t[i - 1].nPosition);
  }
  // Value 9 sits a tenth of the way from the left.
  for (const NdAxisTick& tick : t) {
    if (std::fabs(tick.dValue - 9) < 1e-9) {
      EXPECT_NEAR(tick.nPosition, 150, 1);
    }
  }
}

TEST(NdAxisTicks, ATickNearZeroIsZeroAndLabelledWithoutASign) {
  const std::vector<NdAxisTick> t = Ticks(-0.5, 0.7, 0, 600);
  bool zero = false;
  for (const NdAxisTick& tick : t) {
    if (tick.dValue == 0) {
      zero = true;
      EXPECT_FALSE(std::signbit(tick.dValue));
      EXPECT_TRUE(tick.bMajor);
    }
  }
  EXPECT_TRUE(zero);
  EXPECT_STREQ(FormatAxisLabel(-0.0001, 2), "0.00");
}

TEST(NdAxisTicks, EmptyAndAbsurdRangesDrawNoTicksOrFewEnough) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(Ticks(5, 5, 0, 500).empty());    // a zero-width window
  EXPECT_TRUE(Ticks(0, 100, 50, 50).empty());  // an axis without pixels
  EXPECT_TRUE(Ticks(nan, 100, 0, 500).empty());
  EXPECT_TRUE(Ticks(0, inf, 0, 500).empty());
  EXPECT_LE(Ticks(-1e300, 1e300, 0, 500).size(), 100000u);
}

TEST(NdAxisTicks, ValuesOfAPointInEachUnit) {
  DimensionBlock f2;
  f2.m_nPoints = 1000;
  f2.m_fSpectralWidth = 5000;
  f2.m_fLastFrequency = -500;
  f2.m_fSpectrometerFreq = 500;
  // ppm(i) = ((n - 1 - i) / n x sw + last) / sf.
  EXPECT_DOUBLE_EQ(NdAxisValue(f2, 0, ND_UNITS_PPM), (999.0 / 1000 * 5000 - 500) / 500);
  EXPECT_DOUBLE_EQ(NdAxisValue(f2, 999, ND_UNITS_HZ), -500);
  EXPECT_DOUBLE_EQ(NdAxisValue(f2, 250, ND_UNITS_SECONDS), 0.05);
  EXPECT_DOUBLE_EQ(NdAxisValue(f2, 250, ND_UNITS_POINTS), 250);
  EXPECT_STREQ(NdUnitText(ND_UNITS_PPM), "ppm");
  EXPECT_STREQ(NdUnitText(ND_UNITS_SECONDS), "Sec");
  EXPECT_STREQ(NdUnitText(17), "Pts");
}

}  // namespace
