// The Levenberg-Marquardt line fit and its LU solver, and the fit of a
// spectrum's picked peaks.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "onedim/model/PeakPicking.h"
#include "onedim/processing/LineFitter.h"
#include "onedim/processing/PeakFit.h"
#include "tests/onedim/model/spectrum_test_util.h"

namespace {

TEST(LineFitter, LuSolvesWithPivotingAndRefusesSingularMatrices) {
  // The first pivot is zero: only a row exchange solves it.
  double a[] = {0, 2, 1, 1, 1, 1, 2, 1, 3};
  int pivots[3];
  ASSERT_NE(0, CLineFitter::LuDecompose(a, 3, pivots));
  double b[] = {7, 6, 13};  // x = (1, 2, 3)
  CLineFitter::LuSolve(a, 3, pivots, b);
  EXPECT_NEAR(1.0, b[0], 1e-12);
  EXPECT_NEAR(2.0, b[1], 1e-12);
  EXPECT_NEAR(3.0, b[2], 1e-12);

  double zeroRow[] = {1, 2, 0, 0};
  EXPECT_EQ(0, CLineFitter::LuDecompose(zeroRow, 2, pivots));
  double dependent[] = {1, 2, 2, 4};
  EXPECT_EQ(0, CLineFitter::LuDecompose(dependent, 2, pivots));
}

TEST(LineFitter, FailsInBoundedStepsOnDegenerateData) {
  std::vector<float> x = {0, 1, 2, 3, 4}, y(5, 0.0f);
  // Zero height: every derivative by the centre and width is zero.
  double params[] = {0.0, 2.0, 1.0};
  double covariance[9];
  double chi = 0.0;
  CLineFitter fitter;
  EXPECT_FALSE(fitter.Fit(x.data(), y.data(), 5, params, 3, covariance, lorentz_model, chi));
  EXPECT_FALSE(fitter.Fit(x.data(), y.data(), 0, params, 3, covariance, lorentz_model, chi));
  // NaN in the data never converges, and never loops.
  y[2] = NAN;
  double start[] = {1.0, 2.0, 1.0};
  EXPECT_FALSE(fitter.Fit(x.data(), y.data(), 5, start, 3, covariance, gauss_model, chi));
}

struct Line {
  double centre, height, width;  // complex points; width: HWHM or Gaussian w
};

std::unique_ptr<CSpectrum> Lines(const std::vector<Line>& lines, bool bGauss) {
  auto s = MakeSpectrum(4096, [&](int i) {
    if (i % 2)
      return 0.0f;
    double y = 0.0;
    for (const Line& l : lines) {
      const double u = (i / 2 - l.centre) / l.width;
      y += bGauss ? l.height * std::exp(-u * u) : l.height / (1.0 + u * u);
    }
    return (float)y;
  });
  s->FindMaximum();
  return s;
}

void PickAt(CSpectrum& s, std::vector<int> points) {
  CPeakPicking* pRecord = new CPeakPicking(-1, -1, -1.0f);
  for (int p : points)
    pRecord->m_arrPoints.Add(2 * p);
  s.m_arrPeaks.Add(pRecord);
}

TEST(PeakFit, RecoversPositionWidthAndHeight) {
  // 4096 floats over 2048 Hz: one Hz per complex point, so widths in points
  // and in Hz agree; frequency is 2048 Hz minus the point.
  for (bool bGauss : {false, true}) {
    const std::vector<Line> truth = {{600.3, 100, 4}, {1200.6, 40, 6}};
    auto s = Lines(truth, bGauss);
    s->m_paramsA.sw = 2048.0;
    PickAt(*s, {600, 1201});
    std::vector<CFitWindow> windows;
    std::vector<CFittedLine> lines;
    ASSERT_TRUE(FitPeakLines(*s, bGauss ? FIT_GAUSSIAN : FIT_LORENTZIAN, windows, lines)) << bGauss;
    ASSERT_EQ(2u, lines.size());
    for (size_t k = 0; k < 2; k++) {
      EXPECT_NEAR(2048.0 - truth[k].centre, lines[k].dFrequency, 0.01 * truth[k].width) << bGauss;
      EXPECT_NEAR(2.0 * truth[k].width, lines[k].dWidth, 0.01 * 2.0 * truth[k].width) << bGauss;
      const double dShape = bGauss ? 6.28318 * 0.6776607632637024 : 6.28318;
      EXPECT_NEAR(truth[k].height * truth[k].width * dShape, lines[k].dArea, 0.01 * lines[k].dArea) << bGauss;
    }
    EXPECT_LT(windows[0].nLast, windows[1].nFirst);
  }
}

TEST(PeakFit, ChoosesPeaksAndWindows) {
  auto s = Lines({{300, 100, 20}, {330, 80, 20}}, false);
  // The second pick is the same line; the third lies at point 1 or lower;
  // the last two windows would overlap.
  PickAt(*s, {300, 301, 1, 330});
  std::vector<CFitWindow> windows;
  std::vector<CFittedLine> lines;
  FitPeakLines(*s, FIT_LORENTZIAN, windows, lines);
  ASSERT_EQ(2u, windows.size());
  EXPECT_EQ(windows[0].nLast + 1, windows[1].nFirst);
  EXPECT_EQ(100, windows[0].nLast - windows[0].nFirst) << "the half window is at most 50 points";

  auto none = Lines({{300, 100, 4}}, false);
  EXPECT_FALSE(FitPeakLines(*none, FIT_LORENTZIAN, windows, lines));
  EXPECT_TRUE(windows.empty() && lines.empty());
  // A line at the last point: its window is cut at the end of the data.
  auto last = Lines({{2047, 100, 4}}, false);
  PickAt(*last, {2047});
  FitPeakLines(*last, FIT_GAUSSIAN, windows, lines);
  ASSERT_EQ(1u, windows.size());
  EXPECT_EQ(2047, windows[0].nLast);
}

}  // namespace
