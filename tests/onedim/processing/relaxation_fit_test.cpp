// The T1 fit of a recovery series: inversion and saturation recovery give
// T1 back, and series that cannot give one are refused without a number.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "onedim/processing/RelaxationFit.h"

namespace {

std::vector<CRelaxationPoint> Recovery(double dT1, double dM0, double dStart, const std::vector<double>& delays) {
  std::vector<CRelaxationPoint> points;
  for (double t : delays)
    points.push_back({(float)t, (float)(dM0 * (1.0 - dStart * std::exp(-t / dT1)))});
  return points;
}

const std::vector<double> kDelays = {0.05, 0.1, 0.2, 0.4, 0.8, 1.6, 3.2, 12.0};

TEST(RelaxationFit, RecoverySeriesGiveT1Back) {
  // Inversion recovery (start -M0), saturation recovery (start 0), and an
  // inversion series in arbitrary intensity units.
  const struct {
    double dT1, dM0, dStart;
  } cases[] = {{1.3, 1000.0, 2.0}, {0.7, 1.0, 1.0}, {1.3, 2.5e6, 2.0}};
  for (const auto& c : cases) {
    const std::vector<CRelaxationPoint> points = Recovery(c.dT1, c.dM0, c.dStart, kDelays);
    CRelaxationFit fit;
    std::vector<CRelaxationPoint> calculated;
    ASSERT_EQ(relaxFitted, FitRelaxation(points, fit, calculated)) << c.dT1;
    EXPECT_NEAR(c.dT1, fit.dT1, 0.01 * c.dT1);
    EXPECT_EQ(7, fit.nFitted);
    ASSERT_EQ(points.size(), calculated.size());
    for (size_t k = 0; k < points.size(); k++) {
      EXPECT_EQ(points[k].fDelay, calculated[k].fDelay);
      EXPECT_NEAR(points[k].fIntensity, calculated[k].fIntensity, 0.01 * c.dM0) << k;
    }
    // The plateau row is not fitted: its value comes from the line.
    EXPECT_FLOAT_EQ((float)(points.back().fIntensity - std::exp(fit.a + fit.b * kDelays.back())),
                    calculated.back().fIntensity);
  }
}

TEST(RelaxationFit, RowsAtOrAboveThePlateauAreLeftOut) {
  std::vector<CRelaxationPoint> points = Recovery(1.0, 100.0, 2.0, kDelays);
  points.insert(points.end() - 1, {6.0f, 105.0f});  // noise above the plateau
  CRelaxationFit fit;
  std::vector<CRelaxationPoint> calculated;
  ASSERT_EQ(relaxFitted, FitRelaxation(points, fit, calculated));
  EXPECT_EQ(7, fit.nFitted);
  EXPECT_NEAR(1.0, fit.dT1, 0.01);
  EXPECT_EQ(points.size(), calculated.size());
}

TEST(RelaxationFit, SeriesWithoutAT1AreRefusedAndChangeNothing) {
  const struct {
    const char* what;
    std::vector<CRelaxationPoint> points;
    RelaxationFitResult result;
  } cases[] = {
      {"no rows", {}, relaxTooFewRows},
      {"two rows", {{0.1f, -50.0f}, {5.0f, 100.0f}}, relaxTooFewRows},
      {"all zero", {{0.1f, 0.0f}, {0.5f, 0.0f}, {5.0f, 0.0f}}, relaxTooFewBelow},
      {"negative plateau", {{0.1f, -1.0f}, {0.5f, -2.0f}, {5.0f, -3.0f}}, relaxTooFewBelow},
      {"one row below", {{0.1f, 50.0f}, {0.5f, 120.0f}, {5.0f, 100.0f}}, relaxTooFewBelow},
      {"equal delays", {{0.5f, -50.0f}, {0.5f, 20.0f}, {0.5f, 100.0f}}, relaxEqualDelays},
      {"flat below the plateau", {{0.1f, 50.0f}, {0.5f, 50.0f}, {5.0f, 100.0f}}, relaxNoRecovery},
      {"typed huge delay", {{0.1f, 50.0f}, {0.5f, 60.0f}, {-3e38f, 100.0f}}, relaxNoRecovery},
  };
  for (const auto& c : cases) {
    CRelaxationFit fit;
    fit.dT1 = 42.0;
    std::vector<CRelaxationPoint> calculated(1, {1.0f, 2.0f});
    EXPECT_EQ(c.result, FitRelaxation(c.points, fit, calculated)) << c.what;
    EXPECT_EQ(42.0, fit.dT1) << c.what;
    EXPECT_EQ(1u, calculated.size()) << c.what;
  }
}

}  // namespace
