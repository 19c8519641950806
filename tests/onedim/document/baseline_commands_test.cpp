// The baseline commands of the document as the view and the dialogs drive
// them: points picked in view pixels, lines or a fitted polynomial through
// them taken off the data, the hand-set polynomial, and Iterated Soft
// Thresholding's Go.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "onedim/plot/Graph.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

// One spectrum over the whole 800 x 600 view, drawn as the view draws it.
struct BaselineDoc {
  template <class F>
  explicit BaselineDoc(F value, int td = 2048) {
    s = AddTestSpectrum(doc, td, value);
    doc.RefreshAfterAdd();
    s->FindMaximum();
  }
  std::vector<PlotPoint>& Points() { return doc.m_pBaselinePoints->m_curves[0].m_points; }
  std::vector<float> Data() const { return std::vector<float>(s->m_pData, s->m_pData + s->m_paramsA.td); }

  CTestHost host;
  CBrivaneProDoc doc{&host};
  CSpectrum* s = nullptr;
};

TEST(BaselineCommandsTest, PointsStartAtTheTraceEndsAndArePickedInsideTheSpectrum) {
  BaselineDoc t([](int i) { return 1000.0f + (float)i; });
  ASSERT_TRUE(t.doc.StartBaselinePoints(1));
  EXPECT_EQ(MOUSE_BASELINE_POINTS, t.doc.m_nMouseMode);
  EXPECT_EQ(1, t.doc.m_bBaselineInProgress);
  EXPECT_EQ(1, t.doc.m_bFitKind);
  ASSERT_EQ(2u, t.Points().size());
  EXPECT_EQ(0.0f, t.Points()[0].x);
  EXPECT_EQ((float)t.s->PointToY(0), t.Points()[0].y);
  EXPECT_EQ(800.0f, t.Points()[1].x);
  EXPECT_EQ((float)t.s->PointToY(2046), t.Points()[1].y);

  EXPECT_TRUE(t.doc.AddBaselinePoint(600, 7));
  t.doc.m_bFitOntoTrace = 0;
  EXPECT_TRUE(t.doc.AddBaselinePoint(200, 7));
  EXPECT_FALSE(t.doc.AddBaselinePoint(801, 7));
  EXPECT_FALSE(t.doc.AddBaselinePoint(-1, 7));
  ASSERT_EQ(4u, t.Points().size());
  EXPECT_EQ(200.0f, t.Points()[1].x) << "sorted by x";
  EXPECT_EQ(7.0f, t.Points()[1].y) << "where the mouse was";
  EXPECT_EQ(600.0f, t.Points()[2].x);
  EXPECT_EQ((float)t.s->PointToY(t.doc.PixelToPoint(600) & ~1), t.Points()[2].y) << "on the trace";

  // A hit removes every point at the same rounded place.
  t.doc.AddBaselinePoint(200, 7);
  t.doc.RemoveBaselinePoints({200.3f, 6.8f});
  ASSERT_EQ(3u, t.Points().size());
  EXPECT_EQ(0.0f, t.Points()[0].x);
  EXPECT_EQ(600.0f, t.Points()[1].x);

  t.doc.EndBaselinePoints();
  EXPECT_EQ(MOUSE_NONE, t.doc.m_nMouseMode);
  EXPECT_EQ(0, t.doc.m_bBaselineInProgress);
  EXPECT_EQ(nullptr, t.doc.m_pBaselinePoints);
  EXPECT_EQ(nullptr, t.doc.m_pBaselineCurve);
}

// A single point left in the middle: a line from 0 at the first point up to
// the point's value and down to 0 at the last, which becomes 0.
TEST(BaselineCommandsTest, MultiPointTakesTheLinesThroughThePointsOff) {
  BaselineDoc t([](int) { return 3000.0f; });
  t.doc.StartBaselinePoints(0);
  t.Points().clear();
  t.doc.AddBaselinePoint(400, 0);
  const int nNode = t.doc.PixelToPoint(400) & ~1;
  const double dNode = t.s->YToValue(t.Points()[0].y);
  ASSERT_NEAR(3000.0, dNode, 3000.0 / 120);  // within a pixel of the trace
  ASSERT_TRUE(t.doc.SubtractMultiPointBaseline());
  const std::vector<float> data = t.Data();
  EXPECT_FLOAT_EQ(3000.0f, data[0]);
  EXPECT_NEAR(3000.0 - dNode / 2, data[nNode / 2 & ~1], 0.01);
  EXPECT_NEAR(3000.0 - dNode, data[nNode], 0.01);
  EXPECT_NEAR(3000.0 - dNode, data[nNode + 1], 0.01);
  EXPECT_EQ(0.0f, data[2046]);
  EXPECT_EQ(0.0f, data[2047]);
  EXPECT_EQ(MOUSE_NONE, t.doc.m_nMouseMode);
  EXPECT_EQ(nullptr, t.doc.m_pBaselinePoints);
  EXPECT_TRUE(t.host.m_bModified);
}

TEST(BaselineCommandsTest, AutoFitRefusesTooFewPointsAndTakesTheFittedCurveOff) {
  // A curved baseline under the data: fitted through points on the trace it
  // comes off to within a pixel's worth.
  auto baseline = [](int i) { return 2000.0f + 0.5f * (float)i - 0.0004f * (float)i * (float)i; };
  BaselineDoc t(baseline);
  const std::vector<float> before = t.Data();
  t.doc.StartBaselinePoints(1);
  std::vector<float> computed;

  // Two points cannot fix a quadratic, nor two at one x a line.
  EXPECT_FALSE(t.doc.ComputeBaseline(3, computed));
  t.doc.AddBaselinePoint(400, 0);
  t.doc.AddBaselinePoint(400, 0);
  t.doc.RemoveBaselinePoints(t.Points()[0]);
  t.doc.RemoveBaselinePoints(t.Points().back());
  EXPECT_FALSE(t.doc.ComputeBaseline(2, computed));
  ASSERT_EQ(2u, t.host.m_messages.size());
  EXPECT_EQ("Not enough points defined to fit selected function\nMin. # Points=3", t.host.m_messages[0]);
  EXPECT_EQ("Not enough points defined to fit selected function\nMin. # Points=2", t.host.m_messages[1]);
  EXPECT_EQ(0, t.doc.m_bBaselineToSubtract);
  t.doc.SubtractComputedBaseline(computed);
  EXPECT_EQ(before, t.Data()) << "nothing computed, nothing taken";

  t.doc.StartBaselinePoints(1);
  for (int x : {150, 300, 500, 650})
    t.doc.AddBaselinePoint(x, 0);
  ASSERT_TRUE(t.doc.ComputeBaseline(3, computed));
  EXPECT_EQ(1, t.doc.m_bBaselineToSubtract);
  ASSERT_NE(nullptr, t.doc.m_pBaselineCurve);
  EXPECT_EQ(800u, t.doc.m_pBaselineCurve->m_curves[0].m_points.size()) << "a point per column";
  ASSERT_EQ(1024u, computed.size());
  t.doc.SubtractComputedBaseline(computed);
  const double dPixel = t.s->m_fMaxValue / (t.s->m_fVerticalScale * t.s->m_fIntensityStep);
  for (int i = 0; i < 2048; i++)
    ASSERT_NEAR(0.0, t.s->m_pData[i], dPixel) << i;
  EXPECT_EQ(0, t.doc.m_bBaselineToSubtract);
  EXPECT_EQ(nullptr, t.doc.m_pBaselineCurve);
}

// The hand-set polynomial comes off as its preview showed it: c0 of 10
// pixels below the zero line lifts the trace by 10 pixels.
TEST(BaselineCommandsTest, ManualPolynomialMovesTheTraceByThePreview) {
  BaselineDoc t([](int i) { return (float)(i % 50) * 40.0f; });
  const double zero[5] = {0, 0, 0, 0, 0};
  const std::vector<float> before = t.Data();
  ASSERT_TRUE(t.doc.SubtractPolynomialBaseline(zero));
  EXPECT_EQ(before, t.Data());

  // Ten pixels of the preview's scale; the lifted data are drawn to their
  // own largest value afterwards.
  const double dPixel = t.s->GetLargestValue() / (t.s->m_fVerticalScale * t.s->m_fIntensityStep);
  const double lift[5] = {10, 0, 0, 0, 0};
  ASSERT_TRUE(t.doc.SubtractPolynomialBaseline(lift));
  for (int i = 0; i < 2048; i += 2) {
    ASSERT_NEAR(10 * dPixel, t.s->m_pData[i] - before[(size_t)i], 1e-3 * dPixel) << i;
    ASSERT_NEAR(t.s->m_pData[i] - before[(size_t)i], t.s->m_pData[i + 1] - before[(size_t)i + 1], 1e-3) << i;
  }

  // Drawn flat, the pixels stand for no value.
  const std::vector<float> lifted = t.Data();
  t.s->m_fVerticalScale = 0.0f;
  EXPECT_FALSE(t.doc.SubtractPolynomialBaseline(lift));
  EXPECT_EQ(lifted, t.Data());
}

TEST(BaselineCommandsTest, SoftThresholdingRefusalIsShownAndChangesNothing) {
  BaselineDoc t([](int i) { return (float)std::cos(0.3 * i) * 100.0f / (1.0f + 0.01f * (float)i); }, 1024);
  const std::vector<float> before = t.Data();
  EXPECT_FALSE(t.doc.SoftThresholding(20, 1000, 295));
  ASSERT_EQ(1u, t.host.m_messages.size());
  EXPECT_EQ(before, t.Data());
  EXPECT_EQ(1024, t.s->m_paramsA.td);

  ASSERT_TRUE(t.doc.SoftThresholding(20, 2048, 295));
  EXPECT_EQ(2048, t.s->m_paramsA.td);
  EXPECT_EQ(2048, t.host.m_nScrollMax);
  EXPECT_EQ(0, std::memcmp(before.data(), t.s->m_pRawData, sizeof(float) * 1024)) << "the measured points stay";
}

}  // namespace
