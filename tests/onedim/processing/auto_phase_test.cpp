// Automatic phase correction: the search turns a dephased line upright and
// copes with data it cannot improve.
#include "onedim/processing/AutoPhase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A Lorentzian line at point 100 of 512, turned by ph0 + ph1 k / n.
std::vector<float> DephasedLine(double ph0, double ph1) {
  const int n = 512;
  std::vector<float> points(2 * n);
  for (int k = 0; k < n; k++) {
    const double x = (k - 100) / 3.0;
    const double re = 1.0 / (1.0 + x * x), im = -x / (1.0 + x * x);
    const double a = ph0 + ph1 * k / n;
    points[2 * k] = (float)(re * std::cos(a) - im * std::sin(a));
    points[2 * k + 1] = (float)(re * std::sin(a) + im * std::cos(a));
  }
  return points;
}

// The lowest real value after turning by the found phases, relative to the
// line's height.
double LowestRealAfter(const std::vector<float>& original, const float* phases) {
  const int n = (int)original.size() / 2;
  double lowest = 0.0;
  for (int k = 0; k < n; k++) {
    const double a = phases[0] + phases[1] * k / n;
    lowest = std::fmin(lowest, original[2 * k] * std::cos(a) - original[2 * k + 1] * std::sin(a));
  }
  return lowest;
}

TEST(AutoPhaseTest, TurnsADephasedLineUpright) {
  const struct { double ph0, ph1; } cases[] = {{1.0, 0.0}, {2.0, 0.0}, {-2.5, 0.0}, {1.2, 0.6}};
  for (const auto& c : cases) {
    const std::vector<float> original = DephasedLine(c.ph0, c.ph1);
    std::vector<float> work = original;
    const float* phases = autophase((int)original.size() / 2, work.data());
    const double before = LowestRealAfter(original, std::vector<float>{0.0f, 0.0f}.data());
    const double after = LowestRealAfter(original, phases);
    EXPECT_GT(after, before / 4) << c.ph0 << " " << c.ph1 << ": found " << phases[0] << ", " << phases[1];
    EXPECT_GT(after, -0.35) << c.ph0 << " " << c.ph1;
  }
}

// Five absorption lines of different heights and widths over 4096 points,
// turned by known zero- and first-order errors: the phases found undo them.
// The search stops once its cost changes by less than 5 %, which leaves up
// to about 8 degrees of first order on these.
TEST(AutoPhaseTest, FiveLinesGiveBackTheirPhaseErrors) {
  const int n = 4096;
  const double kDeg = 3.14159265358979 / 180.0;
  const struct {
    double centre, width, height;
  } lines[] = {{400, 4, 1.0}, {1100, 6, 0.6}, {1900, 3, 0.8}, {2700, 5, 0.4}, {3500, 4, 0.9}};
  const struct {
    double ph0, ph1;  // degrees
  } cases[] = {{30, 0}, {-50, 20}, {150, 0}, {-120, 10}, {90, -20}, {70, -40}, {10, 60}};
  for (const auto& c : cases) {
    std::vector<float> points(2 * n);
    for (int k = 0; k < n; k++) {
      double re = 0, im = 0;
      for (const auto& l : lines) {
        const double x = (k - l.centre) / l.width;
        re += l.height / (1 + x * x);
        im -= l.height * x / (1 + x * x);
      }
      const double a = (c.ph0 + c.ph1 * k / n) * kDeg;
      points[2 * k] = (float)(re * std::cos(a) - im * std::sin(a));
      points[2 * k + 1] = (float)(re * std::sin(a) + im * std::cos(a));
    }
    const float* phases = autophase(n, points.data());
    const double found0 = std::remainder(phases[0] / kDeg + c.ph0, 360.0);
    EXPECT_NEAR(0.0, found0, 5.0) << c.ph0 << " " << c.ph1 << ": " << phases[0] / kDeg;
    EXPECT_NEAR(-c.ph1, phases[1] / kDeg, 10.0) << c.ph0 << " " << c.ph1;
  }
}

TEST(AutoPhaseTest, DataItCannotImproveEndInAFinitePair) {
  std::vector<float> flat(64, 0.0f);
  std::vector<float> nan(64, std::nanf(""));
  for (std::vector<float>* points : {&flat, &nan}) {
    const float* phases = autophase(32, points->data());
    EXPECT_TRUE(std::isfinite(phases[0]) && std::isfinite(phases[1]));
  }
  const float* none = autophase(0, flat.data());
  EXPECT_EQ(0.0f, none[0]);
  EXPECT_EQ(0.0f, none[1]);
}

}  // namespace
