// The document's commands on a data set: projections that follow every
// change of size, the slice steps and lists, the plot rectangle, the full
// zoom, magnitude, and the phase a dialog applies.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ndim/document/NdSetCommands.h"
#include "tests/ndim/nd_test_support.h"

namespace {

// The projections the set shows, recomputed from scratch.
void ExpectProjectionsOf(const CSpectrum2D& set) {
  const int f2 = set.m_dims[2].m_nPoints, f1 = set.m_dims[1].m_nPoints;
  std::vector<float> p2(f2), p1(f1);
  CSpectrum2D::ProjectOntoF2(set.m_pData, p2.data(), f2, f1, !set.m_bReal);
  CSpectrum2D::ProjectOntoF1(set.m_pData, p1.data(), f2, f1, !set.m_bReal);
  ASSERT_NE(nullptr, set.m_pProjectionF2);
  ASSERT_NE(nullptr, set.m_pProjectionF1);
  EXPECT_EQ(p2, std::vector<float>(set.m_pProjectionF2, set.m_pProjectionF2 + f2));
  EXPECT_EQ(p1, std::vector<float>(set.m_pProjectionF1, set.m_pProjectionF1 + f1));
}

TEST(NdSetCommands, ProjectionsFollowEverySizeTheSetTakes) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(16, 32));
  FillRandom(*set);
  ToggleProjection(*set, 1);
  ToggleProjection(*set, 2);
  ExpectProjectionsOf(*set);
  // Growing, shrinking, splitting and making real change the counts or the
  // layout; the buffers are read over the new counts (the sanitizer checks).
  CCommandInterpreter interpreter;
  for (const char* script : {"ze 128", "f= 1\nze 64", "qd", "f= 2\nze 8", "mr", "mc"}) {
    interpreter.Execute(*set, script);
    RefreshProjections(*set);
    ExpectProjectionsOf(*set);
  }
  ToggleLoadedTrace(*set, 2);
  EXPECT_EQ(nullptr, set->m_pProjectionF2) << "the loaded trace takes the strip";
  EXPECT_FALSE(set->m_bShowProjectionF2);
  ToggleProjection(*set, 2);
  EXPECT_FALSE(set->m_bShowLoadedF2);
}

TEST(NdSetCommands, StepsStayInsideTheSetAndListsHoldEachIndexOnce) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(3, 2));
  struct Case {
    int row, column;
    bool up, down, right, left;
  };
  const Case cases[] = {{0, 0, true, false, true, false}, {1, 1, true, true, false, true}, {2, 0, false, true, true, false}};
  for (const Case& c : cases) {
    set->m_nSelectedRow = c.row;
    set->m_nSelectedColumn = c.column;
    EXPECT_EQ(c.up, CanStepRow(*set, 1)) << c.row;
    EXPECT_EQ(c.down, CanStepRow(*set, -1)) << c.row;
    EXPECT_EQ(c.right, CanStepColumn(*set, 1)) << c.column;
    EXPECT_EQ(c.left, CanStepColumn(*set, -1)) << c.column;
  }
  set->m_nSelectedRow = 2;
  StepRow(*set, 1);
  EXPECT_EQ(2, set->m_nSelectedRow);

  std::vector<int> list;
  EXPECT_TRUE(AddToSliceList(list, 5));
  EXPECT_TRUE(AddToSliceList(list, 2));
  EXPECT_FALSE(AddToSliceList(list, 5));
  EXPECT_EQ((std::vector<int>{5, 2}), list);
}

TEST(NdSetCommands, ThePlotGrowsShrinksToAFloorAndSquaresAtItsCorner) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(4, 4));
  set->SetPlotRect(CRect(100, 100, 160, 130));
  GrowPlot(*set, 10);
  EXPECT_EQ(CRect(90, 90, 170, 140), set->m_plotRect);
  EXPECT_EQ(CRect(90, 15, 170, 90), set->m_traceF2.m_rect) << "the strips follow";
  GrowPlot(*set, -10);
  EXPECT_EQ(CRect(100, 100, 160, 130), set->m_plotRect);
  GrowPlot(*set, -10);
  EXPECT_EQ(CRect(100, 100, 160, 130), set->m_plotRect) << "never lower than 20 pixels";
  MakePlotSquare(*set);
  EXPECT_EQ(CRect(100, 100, 130, 130), set->m_plotRect);
}

TEST(NdSetCommands, FullZoomIsTheWholePlaneAlongEitherDimension) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(8, 16));
  set->m_zoom.SetRect(2, 1, 10, 6);
  EXPECT_FALSE(IsZoomFull(*set));
  ZoomFull(*set);
  EXPECT_EQ(CRect(0, 0, 16, 8), set->m_zoom);
  set->m_nCurrentDim = 1;  // after the transform along f2
  EXPECT_TRUE(IsZoomFull(*set));
}

TEST(NdSetCommands, MagnitudeGoesToPolarFormAndBackButNotOnRealData) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(4, 8));
  FillRandom(*set);
  const std::vector<float> before = DataOf(*set);
  ASSERT_TRUE(ToggleMagnitude(*set));
  EXPECT_TRUE(set->m_bMagnitude);
  EXPECT_NE(before, DataOf(*set));
  ASSERT_TRUE(ToggleMagnitude(*set));
  const std::vector<float> after = DataOf(*set);
  for (std::size_t i = 0; i < before.size(); ++i)
    EXPECT_NEAR(before[i], after[i], 1e-5f);

  std::unique_ptr<CSpectrum2D> real(MakeSet(4, 8, true));
  EXPECT_FALSE(ToggleMagnitude(*real));
  EXPECT_FALSE(real->m_bMagnitude);
}

TEST(NdSetCommands, ApplyingAPhaseRunsOnlyTheDifferenceToWhatWasApplied) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(4, 8)), reference(MakeSet(4, 8));
  FillRandom(*set);
  FillRandom(*reference);
  set->m_phasingOrder[0] = reference->m_phasingOrder[0] = 2;
  CCommandInterpreter interpreter;
  ApplyPhaseDifference(*set, interpreter, 30.0, 10.0);
  ApplyPhaseDifference(*set, interpreter, 45.0, 10.0);
  EXPECT_FLOAT_EQ(45.0f, set->m_appliedPhase[2][0]);
  EXPECT_FLOAT_EQ(10.0f, set->m_appliedPhase[2][1]);
  interpreter.Execute(*reference, "ph 45 10");
  const std::vector<float> a = DataOf(*set), b = DataOf(*reference);
  for (std::size_t i = 0; i < a.size(); ++i)
    EXPECT_NEAR(a[i], b[i], 1e-5f);
  ApplyPhaseDifference(*set, interpreter, 45.0, 10.0);
  EXPECT_EQ(a, DataOf(*set)) << "nothing new to apply";
}

}  // namespace
