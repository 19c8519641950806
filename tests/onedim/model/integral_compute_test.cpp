// The integral's sum, baseline correction, thresholding and curve.
#include <gtest/gtest.h>

#include <cmath>

#include "onedim/model/Integral.h"
#include "tests/onedim/model/spectrum_test_util.h"

namespace {

double Sum(CIntegral& in) {
  BOOL bAllocated = FALSE;
  const double v = in.ComputeCurve(1.0, 1.0, 0, 0, bAllocated);
  EXPECT_TRUE(bAllocated);
  return v;
}

TEST(IntegralCompute, CorrectionAndThresholdCases) {
  auto s = MakeSpectrum(400, [](int i) { return i % 2 ? 0.0f : 3.0f + (i >= 200 && i < 220 ? 10.0f : 0.0f); });
  s->FindMaximum();
  s->m_nRightPixel = 400;
  s->m_nLast = 398;
  struct Case {
    const char* name;
    int nStart, nEnd;
    BYTE bAuto;
    int bThreshold;
    double dPercent;
    double dExpected;
  };
  const Case cases[] = {
      {"plain sum", 100, 140, 0, 0, 0.0, 20 * 3.0},
      {"constant with automatic correction", 100, 140, 1, 0, 0.0, 0.0},
      {"line above a constant baseline", 160, 260, 1, 0, 0.0, 10 * 10.0},
      {"threshold at 100 percent", 160, 260, 0, 1, 100.0, 0.0},
      {"threshold at half the line", 160, 260, 0, 1, 50.0, 10 * (13.0 - 6.5)},
      {"start after end sums nothing", 140, 100, 0, 0, 0.0, 0.0},
      {"region past both ends reads only the data", -20, 420, 1, 0, 0.0, 200 * 3.0 + 10 * 10.0},
  };
  for (const Case& c : cases) {
    CIntegral in(s.get(), c.nStart, c.nEnd, 100, 0);
    in.m_bAutoCorrect = c.bAuto;
    in.m_bThresholding = c.bThreshold;
    s->m_dThresholdPercent = c.dPercent;
    EXPECT_NEAR(c.dExpected, Sum(in), 1e-9) << c.name;
    if (c.nStart > c.nEnd)
      EXPECT_EQ(0, in.m_n) << c.name << ": no curve point is left unfilled";
  }
}

TEST(IntegralCompute, ManualCorrectionAndCurve) {
  auto s = MakeSpectrum(200, [](int i) { return i % 2 ? 0.0f : 1.0f; });
  s->FindMaximum();
  s->m_nLeftPixel = 0;
  s->m_nRightPixel = 198;
  s->m_nFirst = 0;
  s->m_nLast = 198;
  CIntegral in(s.get(), 0, 20, 100, 0);
  in.m_dBias = 1.0;
  in.m_dSlope = 0.5;
  // Ten points of 1 plus a manual baseline of 1, 1.5, ... 5.5.
  EXPECT_DOUBLE_EQ(10.0 + 10.0 + 0.5 * 45.0, Sum(in));
  EXPECT_EQ(42, s->m_nIntegralScaleNum) << "set by the first computation to the largest sum over the maximum";
  EXPECT_EQ(0, in.m_rectCurve.left);
  EXPECT_EQ(18, in.m_rectCurve.right);
  EXPECT_LT(in.m_pCurve[9].y, in.m_pCurve[0].y) << "a growing sum rises";
  // The region grows: the arrays follow.
  in.m_nEnd = 40;
  Sum(in);
  EXPECT_EQ(20, in.m_n);
}

TEST(IntegralCompute, WellSeparatedLinesInTheRatioOfTheirAreas) {
  auto s = MakeSpectrum(8192, [](int i) {
    if (i % 2)
      return 0.0f;
    auto lorentz = [](double x, double c, double a, double w) { return a * w / 3.141592653589793 / ((x - c) * (x - c) + w * w); };
    return (float)(lorentz(i / 2, 1000, 300, 3) + lorentz(i / 2, 3000, 100, 5));
  });
  s->FindMaximum();
  CIntegral a(s.get(), 2 * 700, 2 * 1300, 0, 0), b(s.get(), 2 * 2700, 2 * 3300, 0, 0);
  EXPECT_NEAR(3.0, Sum(a) / Sum(b), 0.03);
}

}  // namespace
