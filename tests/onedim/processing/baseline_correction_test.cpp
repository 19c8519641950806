// Baseline corrections: lines between chosen points, the hand-set
// polynomial across the data and the least-squares polynomial through
// points given in view pixels.
#include "onedim/processing/BaselineCorrection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Ten complex points of 10 + 10i; what the lines took off each real value
// (the imaginary values lose the same), the last point cleared.
TEST(BaselineCorrectionTest, MultiPointLinesRunFromZeroThroughTheNodesToZero) {
  const struct {
    const char* name;
    std::vector<BaselineNode> nodes;
    std::vector<float> taken;  // per complex point 0..8
  } cases[] = {
      {"no nodes", {}, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
      // Up from 0 at the first point to the node, down to 0 at the last.
      {"one node", {{8, 4.0f}}, {0, 1, 2, 3, 4, 3.2f, 2.4f, 1.6f, 0.8f}},
      // Values below one unit (normalised data) are taken as they are.
      {"small values", {{8, 0.25f}}, {0, 0.0625f, 0.125f, 0.1875f, 0.25f, 0.2f, 0.15f, 0.1f, 0.05f}},
      // A second node at the same index adds nothing.
      {"coincident", {{8, 4.0f}, {8, 4.0f}}, {0, 1, 2, 3, 4, 3.2f, 2.4f, 1.6f, 0.8f}},
      // Odd indices go down to even ones; indices outside the data go to its
      // ends, so no line starts before the first float or after the last.
      {"outside", {{-6, 2.0f}, {9, 4.0f}, {1000, 4.0f}}, {2, 2.5f, 3, 3.5f, 4, 4, 4, 4, 4}},
  };
  for (const auto& c : cases) {
    std::vector<float> data(20, 10.0f);
    SubtractMultiPointBaseline(data.data(), 20, c.nodes);
    for (int k = 0; k < 9; k++) {
      EXPECT_FLOAT_EQ(10.0f - c.taken[k], data[2 * k]) << c.name << " point " << k;
      EXPECT_FLOAT_EQ(10.0f - c.taken[k], data[2 * k + 1]) << c.name << " point " << k;
    }
    EXPECT_EQ(0.0f, data[18]) << c.name;
    EXPECT_EQ(0.0f, data[19]) << c.name;
  }
}

// Eight complex points (m = 4, c = 4): x = -3/4 ... 0 at points 3 and 4 ...
// 3/4.
TEST(BaselineCorrectionTest, PolynomialRunsAcrossTheDataWithZeroTwiceInTheMiddle) {
  const struct {
    double c[5];
    float expected[8];
  } cases[] = {
      {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}},
      {{5, 0, 0, 0, 0}, {5, 5, 5, 5, 5, 5, 5, 5}},
      {{0, 4, 0, 0, 0}, {-3, -2, -1, 0, 0, 1, 2, 3}},
      {{1, 0, 16, 0, 0}, {10, 5, 2, 1, 1, 2, 5, 10}},
      {{0, 0, 0, 0, 256}, {81, 16, 1, 0, 0, 1, 16, 81}},
  };
  for (const auto& c : cases) {
    std::vector<float> curve(8);
    PolynomialBaselineCurve(c.c, 16, curve.data());
    for (int j = 0; j < 8; j++)
      EXPECT_FLOAT_EQ(c.expected[j], curve[j]) << c.c[0] << " " << c.c[1] << " " << c.c[2] << " point " << j;
  }
  // Too few points to span anything: the constant only, and no division by 0.
  const double c[5] = {2, 7, 7, 7, 7};
  float one = 0.0f;
  PolynomialBaselineCurve(c, 2, &one);
  EXPECT_EQ(2.0f, one);

  std::vector<float> data = {1, 2, 3, 4};
  const float taken[] = {0.5f, -1.0f};
  SubtractBaseline(data.data(), 4, taken);
  EXPECT_EQ((std::vector<float>{0.5f, 1.5f, 4, 5}), data);
}

// Polynomials of every order the dialog offers, through exact points at view
// pixels up to 800: the fit gives them back to well within a pixel.
TEST(BaselineCorrectionTest, FitGivesBackPolynomialsThroughPixelPoints) {
  const double truth[6] = {300.0, -40.0, 25.0, 10.0, -8.0, 3.0};  // in (x - 400) / 400
  for (int n = 1; n <= 6; n++) {
    auto f = [&](double x) {
      const double u = (x - 400.0) / 400.0;
      double y = 0.0;
      for (int j = n - 1; j >= 0; j--)
        y = y * u + truth[j];
      return y;
    };
    std::vector<double> x, y;
    for (int i = 0; i < n + 3; i++) {
      x.push_back(10.0 + 780.0 * i / (n + 2));
      y.push_back(f(x.back()));
    }
    CBaselineFit fit;
    ASSERT_TRUE(fit.Fit(x, y, n)) << n;
    for (double px = 0.0; px <= 800.0; px += 50.0)
      EXPECT_NEAR(f(px), fit.Evaluate(px), 0.1) << n << " coefficients at " << px;
  }
}

TEST(BaselineCorrectionTest, CoincidentPointsCountOnce) {
  EXPECT_EQ(1, CBaselineFit::CountDistinct({120.0, 120.0, 120.0}));
  EXPECT_EQ(3, CBaselineFit::CountDistinct({1.0, 2.0, 1.0, 3.0}));
  EXPECT_FALSE(CBaselineFit().Fit({}, {}, 2));
}

}  // namespace
