// Integration regions and the baseline fit.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "tests/ndim/nd_test_support.h"
#include "numerics/Constants.h"
#include "framework/base/Archive.h"
#include "framework/base/MemFile.h"
#include "ndim/data/IntegrationBlock.h"
#include "ndim/processing/NdBaselineFit.h"

namespace {

std::unique_ptr<CSpectrum2D> OnesOnAPlot(bool real) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(10, 10, real));
  for (int i = 0; i < 100 * set->FloatsPerPoint(); ++i)
    set->m_pData[i] = real || i % 2 == 0 ? 1.0f : 50.0f;
  set->SetPlotRect(CRect(0, 0, 100, 100));
  return set;
}

double Lorentz(double x, double x0, double h, double g) {
  return h * g * g / ((x - x0) * (x - x0) + g * g);
}

}  // namespace

TEST(IntegrationBlock, RectangleSumsTheRealValuesUnderIt) {
  for (bool real : {true, false}) {
    std::unique_ptr<CSpectrum2D> set = OnesOnAPlot(real);
    CRectBlock rect;
    rect.m_rect = CRect(0, 0, 50, 50);
    EXPECT_DOUBLE_EQ(rect.Integrate(*set), 25.0);
    CElipBlock ellipse;
    ellipse.m_rect = CRect(-20, -20, 50, 50);  // clipped to the plot first
    EXPECT_DOUBLE_EQ(ellipse.Integrate(*set), 25.0);
    EXPECT_EQ(ellipse.m_rect.left, 0);
    CRoundBlock round;
    round.m_rect = CRect(0, 0, 50, 50);
    EXPECT_EQ(round.Integrate(*set), 0.0);
  }
}

TEST(IntegrationBlock, OutsideThePlotIntegratesToZero) {
  std::unique_ptr<CSpectrum2D> set = OnesOnAPlot(true);
  CRectBlock rect;
  rect.m_rect = CRect(200, 200, 300, 300);
  EXPECT_EQ(rect.Integrate(*set), 0.0);
  EXPECT_TRUE(CRect(rect.m_rect).IsRectEmpty());
}

TEST(IntegrationBlock, LabelIsRelativeToTheReference) {
  std::unique_ptr<CSpectrum2D> set = OnesOnAPlot(true);
  CRectBlock* a = new CRectBlock;
  a->m_rect = CRect(0, 0, 50, 50);
  CRectBlock* ref = new CRectBlock;
  ref->m_rect = CRect(50, 50, 100, 100);
  set->m_regions.AddTail(a);
  set->m_regions.AddTail(ref);
  set->m_pReferenceRegion = ref;
  set->m_dReferenceIntegral = 4.0;
  EXPECT_STREQ(a->GetLabelText(*set), "5.00");  // 25 points over 20, times 4
  ref->m_rect = CRect(500, 500, 600, 600);      // integrates to 0: raw sums
  EXPECT_STREQ(a->GetLabelText(*set), "100.00");
  // Regions follow the plot rectangle.
  set->SetPlotRect(CRect(0, 0, 200, 200));
  EXPECT_EQ(a->m_rect.right, 100);
}

TEST(IntegrationBlock, SerializesPenAndRectangle) {
  CMemFile file;
  {
    CRectBlock out;
    out.m_nPen = 0x12345;  // stored as 16 bits
    out.m_rect = CRect(-3, 4, 500, 600);
    CArchive ar(&file, CArchive::store);
    out.Serialize(ar);
    ar.Close();
  }
  EXPECT_EQ(file.GetLength(), 18u);
  file.SeekToBegin();
  CElipBlock in;
  CArchive ar(&file, CArchive::load);
  in.Serialize(ar);
  EXPECT_EQ(in.m_nPen, 0x2345);
  EXPECT_EQ(CRect(in.m_rect), CRect(-3, 4, 500, 600));
}

TEST(NdBaselineFit, FlattensAQuadraticBaselineUnderFiveLines) {
  const int n = 1024, rows = 3;
  const double pos[5] = {150, 300, 500, 700, 850}, height[5] = {100, 50, 80, 30, 60};
  std::unique_ptr<CSpectrum2D> set(MakeSet(rows, n));
  for (int r = 0; r < rows; ++r)
    for (int i = 0; i < n; ++i) {
      double v = 20 + 0.02 * i - 3e-5 * i * i + r;
      for (int l = 0; l < 5; ++l)
        v += Lorentz(i, pos[l], height[l], 2.5);
      set->m_pData[2 * (r * n + i)] = static_cast<float>(v);
    }
  ASSERT_EQ(NdBaselineFit(*set, 2, 5, 0, 2), 0);
  EXPECT_TRUE(set->m_bReal);
  for (int r = 0; r < rows; ++r) {
    const float* row = set->m_pData + r * n;
    for (int i = 0; i < n; ++i) {
      bool nearLine = false;
      for (double p : pos)
        nearLine |= std::fabs(i - p) < 40;
      if (!nearLine) {
        ASSERT_LT(std::fabs(row[i]), 1.0) << r << " " << i;
      }
    }
    for (int l = 0; l < 5; ++l)
      EXPECT_NEAR(row[static_cast<int>(pos[l])], height[l], 0.02 * height[l]) << l;
  }
}

// The series' cosines are sqrt(1 - sin^2): a baseline that rises again past
// the middle of the trace, as |cos| does, is followed on both halves.
TEST(NdBaselineFit, TrigonometricSeriesFollowsAnUnsignedCosineBaseline) {
  const int n = 512;
  std::unique_ptr<CSpectrum2D> set(MakeSet(2, n, true));
  for (int r = 0; r < 2; ++r)
    for (int i = 0; i < n; ++i)
      set->m_pData[r * n + i] = static_cast<float>(3 + 10 * std::fabs(std::cos(i * kPi / n)) + Lorentz(i, 200, 100, 2));
  ASSERT_EQ(NdBaselineFit(*set, 2, 1, 1, 2), 0);
  for (int i = 20; i < n - 20; ++i)
    if (std::fabs(i - 200) > 40) {
      ASSERT_LT(std::fabs(set->m_pData[n + i]), 1.0) << i;
    }
}

TEST(NdBaselineFit, AnEmptyFirstTraceDoesNotStopTheOthers) {
  const int n = 256;
  std::unique_ptr<CSpectrum2D> set(MakeSet(2, n, true));
  for (int i = 0; i < n; ++i)
    set->m_pData[n + i] = static_cast<float>(5 + 0.01 * i + Lorentz(i, 100, 50, 2));
  ASSERT_EQ(NdBaselineFit(*set, 2, 1, 0, 2), 0);
  EXPECT_NEAR(set->m_pData[n + 30], 0.0, 0.5);
  EXPECT_NEAR(set->m_pData[n + 200], 0.0, 0.5);
  EXPECT_NEAR(set->m_pData[n + 100], 50.0, 1.0);
}

TEST(NdBaselineFit, AlongF1WorksOnColumns) {
  const int n = 128;
  std::unique_ptr<CSpectrum2D> set(MakeSet(n, 2, true));
  for (int i = 0; i < n; ++i)
    set->m_pData[2 * i] = set->m_pData[2 * i + 1] = static_cast<float>(7 + Lorentz(i, 60, 40, 2));
  RecordingSink sink;
  CCommandInterpreter(&sink).Execute(*set, "bc 1 0");
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_NEAR(set->m_pData[2 * 20], 0.0, 0.5);
  EXPECT_NEAR(set->m_pData[2 * 20 + 1], 0.0, 0.5);
  // A trace without signal keeps nearly all points as baseline.
  std::vector<double> flat(n, 1.0), d(n);
  std::vector<unsigned char> marks(n);
  double limit = 0;
  EXPECT_GE(NdFindBaselinePoints(flat.data(), n, 2, 1e30, marks.data(), d.data(), &limit), n - 2);
}
