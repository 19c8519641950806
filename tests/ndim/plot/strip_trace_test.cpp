// Strip traces: inside their strip, scaled to their largest value about a
// base line moved by the offset, one span per pixel column.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "ndim/plot/StripTrace.h"

namespace {

bool Inside(const std::vector<POINT>& points, const RECT& r) {
  for (const POINT& p : points)
    if (p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom)
      return false;
  return true;
}

TEST(StripTrace, ScalesToTheLargestValueAboutTheOffsetBaseLine) {
  const float values[4] = {0, 10, -5, 0};
  const RECT strip = {0, 0, 40, 101};
  StripTraceStyle style;
  style.dScale = 20;
  style.nOffset = 10;
  style.dZoom = 2;
  const std::vector<POINT> h = BuildHorizontalTrace(values, 4, 1, strip, style);
  ASSERT_EQ(h.size(), 4u);
  // Base 50.5 + 20; 10 is 40 pixels up, -5 20 down; points at 5, 15, 25, 35.
  EXPECT_EQ(h[0].y, 70);
  EXPECT_EQ(h[1].y, 30);
  EXPECT_EQ(h[2].y, 90);
  EXPECT_EQ(h[3].x, 35);
  const RECT side = {0, 0, 101, 40};
  const std::vector<POINT> v = BuildVerticalTrace(values, 4, 1, side, style);
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].y, 35);  // the first point at the bottom
  EXPECT_EQ(v[1].x, 30);  // values to the left
  EXPECT_EQ(v[2].x, 90);
}

TEST(StripTrace, StaysInsideItsStripWhateverTheValues) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<float> values(3000);
  for (size_t i = 0; i < values.size(); ++i)
    values[i] = static_cast<float>(std::sin(i * 0.01) * 100);
  values[7] = nan;
  values[8] = inf;
  values[9] = -inf;
  StripTraceStyle style;
  style.dScale = 500;  // far taller than the strip
  style.nOffset = -300;
  const RECT strip = {10, 20, 110, 95};
  const std::vector<POINT> h = BuildHorizontalTrace(values.data(), 1500, 2, strip, style);
  EXPECT_TRUE(Inside(h, strip));
  // 1500 points in 100 columns: at most two points a column.
  EXPECT_LE(h.size(), 200u);
  EXPECT_TRUE(Inside(BuildVerticalTrace(values.data(), 3000, 1, strip, style), strip));
  // All zeros: a flat line on the base line.
  const std::vector<float> zeros(50, 0.0f);
  for (const POINT& p : BuildHorizontalTrace(zeros.data(), 50, 1, {0, 0, 50, 60}, StripTraceStyle()))
    EXPECT_EQ(p.y, 30);
  EXPECT_TRUE(BuildHorizontalTrace(values.data(), 0, 1, strip, style).empty());
}

}  // namespace
