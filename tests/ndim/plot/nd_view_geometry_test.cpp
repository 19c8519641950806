// The graph view's pixel arithmetic: zoom bands, the cursor readout, the
// wizard's pick on a loaded trace, strip edges, resizing, the reference
// moved, and the part of the matrix under the magnifier's lens.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>

#include "ndim/data/Spectrum2D.h"
#include "ndim/plot/NdAxisTicks.h"
#include "ndim/plot/NdViewGeometry.h"
#include "tests/ndim/nd_test_support.h"

namespace {

// 64 rows of 128 points on a plot of 256 x 128 pixels: two pixels a point.
std::unique_ptr<CSpectrum2D> PlottedSet() {
  std::unique_ptr<CSpectrum2D> set(MakeSet(64, 128));
  set->SetPlotRect(CRect(100, 50, 356, 178));
  return set;
}

struct BandCase {
  RECT band;
  bool accepted;
  RECT window;  // first column, first row, last column, last row (exclusive)
};

TEST(NdViewGeometry, AZoomBandChoosesTheDraggedPointsAndNeverLeavesTheMatrix) {
  const std::unique_ptr<CSpectrum2D> set = PlottedSet();
  const BandCase cases[] = {
      {{100, 50, 356, 178}, true, {0, 0, 128, 64}},   // the whole plot: the whole matrix, no row lost
      {{150, 60, 250, 100}, true, {25, 38, 75, 59}},  // rows grow upwards
      {{250, 100, 150, 60}, true, {25, 38, 75, 59}},  // dragged backwards
      {{0, 0, 1000, 1000}, true, {0, 0, 128, 64}},    // beyond the plot: limited to it
      {{151, 61, 152, 62}, true, {26, 57, 27, 58}},   // less than a point: one point
      {{150, 60, 150, 100}, false, {}},               // no width
      {{150, 60, 250, 60}, false, {}},                // no height
      {{0, 60, 90, 100}, false, {}},                  // wholly beside the plot
  };
  for (const BandCase& c : cases) {
    RECT window = {-7, -7, -7, -7};
    EXPECT_EQ(c.accepted, ZoomWindowFromBand(*set, c.band, window)) << c.band.left << "," << c.band.top;
    if (c.accepted)
      EXPECT_EQ(CRect(c.window), CRect(window)) << c.band.left << "," << c.band.top;
    else
      EXPECT_EQ(CRect(-7, -7, -7, -7), CRect(window)) << "untouched";
  }
  // Zoomed in, a band down to the plot's bottom edge ends at the window's
  // first row, not the row below it.
  set->m_zoom = CRect(5, 2, 25, 13);
  RECT window;
  ASSERT_TRUE(ZoomWindowFromBand(*set, RECT{100, 110, 160, 2000}, window));
  EXPECT_EQ(CRect(5, 2, 10, 8), CRect(window));

  std::unique_ptr<CSpectrum2D> empty(new CSpectrum2D);
  empty->SetPlotRect(CRect(100, 50, 356, 178));
  EXPECT_FALSE(ZoomWindowFromBand(*empty, RECT{150, 60, 250, 100}, window)) << "no matrix";
}

// Whatever the band and the zoom before it, the window is a valid part of
// the matrix: inside it, right and bottom exclusive, at least one point.
TEST(NdViewGeometry, EveryZoomWindowIsValidWhateverTheBandAndTheZoomBefore) {
  const std::unique_ptr<CSpectrum2D> set = PlottedSet();
  std::mt19937 gen(7);
  std::uniform_int_distribution<int> pixel(-50, 450);
  for (int i = 0; i < 2000; ++i) {
    RECT window;
    const RECT band = {pixel(gen), pixel(gen), pixel(gen), pixel(gen)};
    if (!ZoomWindowFromBand(*set, band, window))
      continue;
    ASSERT_GE(window.left, 0);
    ASSERT_GE(window.top, 0);
    ASSERT_LE(window.right, 128);
    ASSERT_LE(window.bottom, 64);
    ASSERT_LT(window.left, window.right);
    ASSERT_LT(window.top, window.bottom);
    set->m_zoom = window;  // zoom on from there
  }
}

TEST(NdViewGeometry, TheReadoutShowsEachAxisInItsUnit) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(100, 100));
  // ppm of point i = (99 - i) / 10 on both axes.
  for (int d : {1, 2}) {
    set->m_dims[d].m_fSpectralWidth = 1000.0f;
    set->m_dims[d].m_fLastFrequency = 0.0f;
    set->m_dims[d].m_fSpectrometerFreq = 100.0f;
  }
  struct {
    int units;
    const char* text;
  } const cases[] = {
      {ND_UNITS_POINTS, "Position=(F2 49 pt , F1 9 pt)"},
      {ND_UNITS_SECONDS, "Position=(F2 0.05 sec , F10.01 sec)"},  // no blank after F1
      {ND_UNITS_HZ, "Position=(F2 500.00 Hz , F1 900.00 Hz)"},
      {ND_UNITS_PPM, "Position=(F2 5.00 ppm , F1 9.00 ppm)"},
  };
  for (const auto& c : cases) {
    set->m_axis.m_nUnitsF1 = set->m_axis.m_nUnitsF2 = c.units;
    EXPECT_EQ(c.text, FormatNdCursorReadout(*set, 49, 9));
  }
}

TEST(NdViewGeometry, MovingTheReferenceMakesThePointReadTheNewShift) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(64, 128));
  DimensionBlock& f2 = set->m_dims[2];
  f2.m_fSpectralWidth = 6000.0f;
  f2.m_fSpectrometerFreq = 500.13f;
  const double before = NdAxisValue(f2, 40, ND_UNITS_PPM);
  const double step = NdAxisValue(f2, 41, ND_UNITS_PPM) - before;
  MoveAxisReference(f2, before, 4.75);
  EXPECT_NEAR(4.75, NdAxisValue(f2, 40, ND_UNITS_PPM), 1e-4);
  EXPECT_NEAR(step, NdAxisValue(f2, 41, ND_UNITS_PPM) - 4.75, 1e-4) << "the scale's spacing stays";
}

TEST(NdViewGeometry, APickOnTheRowTraceCarriesTheVisibleColumnsOverToTheTrace) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(32, 64));
  set->SetPlotRect(CRect(100, 100, 300, 200));
  EXPECT_EQ(0, PickRowTracePoint(*set, 200)) << "no trace loaded";
  LoadedTrace& trace = set->m_loadedF2;
  trace.m_nFloats = 256;  // 128 points over the 64 columns
  trace.m_pData = static_cast<float*>(std::calloc(256, sizeof(float)));
  struct {
    int zoomLeft, zoomRight, x, point;
  } const cases[] = {
      {0, 64, 100, 0},    // the left edge
      {0, 64, 200, 64},   // halfway
      {0, 64, 299, 126},  // the last point, rounded down to even
      {0, 64, 400, 126},  // beyond the plot: the last point
      {0, 64, 0, 0},      // before it: the first
      {16, 48, 100, 32},  // zoomed: the first visible column
      {16, 48, 201, 64},
  };
  for (const auto& c : cases) {
    set->m_zoom.left = c.zoomLeft;
    set->m_zoom.right = c.zoomRight;
    EXPECT_EQ(c.point, PickRowTracePoint(*set, c.x)) << c.zoomLeft << " " << c.x;
  }
}

TEST(NdViewGeometry, TheWizardsPicksBringTheColumnToTheRowTracesShiftOnlyWhenComplete) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(32, 64));
  DimensionBlock& f2 = set->m_dims[2];
  f2.m_fSpectralWidth = 6000.0f;
  f2.m_fSpectrometerFreq = 500.13f;
  const float last = f2.m_fLastFrequency;
  LoadedTrace& trace = set->m_loadedF2;
  trace.m_nFloats = 256;  // 128 points
  trace.m_pData = static_cast<float*>(std::calloc(256, sizeof(float)));
  trace.m_fSpectralWidth = 5000.0f;
  trace.m_fLastFrequency = 1200.0f;
  trace.m_fSpectrometerFreq = 500.0f;
  DimensionBlock scale;
  scale.m_nPoints = 128;
  scale.m_fSpectralWidth = 5000.0f;
  scale.m_fLastFrequency = 1200.0f;
  scale.m_fSpectrometerFreq = 500.0f;

  struct {
    int which, first, second;
    float traceFreq;
    bool done;
  } const cases[] = {
      {1, 40, 20, 500.0f, true},    // complete
      {1, 126, 63, 500.0f, true},   // the last points
      {0, 40, 20, 500.0f, false},   // the column trace records no point
      {1, -1, 20, 500.0f, false},   // no 1D pick
      {1, 40, -1, 500.0f, false},   // no 2D pick
      {1, 128, 20, 500.0f, false},  // beyond the trace
      {1, 40, 64, 500.0f, false},   // beyond the columns
      {1, 40, 20, 0.0f, false},     // a trace without a scale
  };
  for (const auto& c : cases) {
    f2.m_fLastFrequency = last;
    set->m_bWhichTrace = static_cast<BYTE>(c.which);
    trace.m_nWizardFirst = c.first;
    trace.m_nWizardSecond = c.second;
    trace.m_fSpectrometerFreq = c.traceFreq;
    EXPECT_EQ(c.done, ReferenceFromWizardPicks(*set)) << c.first << " " << c.second;
    if (c.done) {
      EXPECT_NEAR(NdAxisValue(scale, c.first, ND_UNITS_PPM), NdAxisValue(f2, c.second, ND_UNITS_PPM), 1e-4);
    } else {
      EXPECT_EQ(last, f2.m_fLastFrequency);
    }
  }

  ClearWizardPicks(*set);
  EXPECT_FALSE(ReferenceFromWizardPicks(*set)) << "the picks of an earlier run are gone";
  EXPECT_EQ(-1, set->m_loadedF1.m_nWizardSecond);
}

TEST(NdViewGeometry, StripEdgesKeepFivePixelsFromThePlotAndAMinimisedWindowKeepsItsLayout) {
  EXPECT_EQ(95, LimitStripEdge(100, 100));
  EXPECT_EQ(95, LimitStripEdge(97, 100));
  EXPECT_EQ(20, LimitStripEdge(20, 100));

  RECT plot = {40, 30, 400, 330};
  ASSERT_TRUE(RescalePlotRect(plot, 500, 400, 1000, 200));
  EXPECT_EQ(CRect(80, 15, 800, 165), CRect(plot));
  ASSERT_TRUE(RescalePlotRect(plot, 0, 0, 700, 300)) << "no earlier size: kept as it is";
  EXPECT_EQ(CRect(80, 15, 800, 165), CRect(plot));
  EXPECT_FALSE(RescalePlotRect(plot, 1000, 200, 0, 0)) << "minimised";
  EXPECT_FALSE(RescalePlotRect(plot, 1000, 200, 300, 0));
  EXPECT_EQ(CRect(80, 15, 800, 165), CRect(plot));
}

TEST(NdViewGeometry, TheLensShowsTheSquareUnderItMagnifiedAndOnlyThePartInsideTheMatrix) {
  const std::unique_ptr<CSpectrum2D> set = PlottedSet();  // two pixels a point
  NdWindow w;
  RECT dest;
  // At 10 tenths the lens shows its own square at the view's scale.
  ASSERT_TRUE(LensWindow(*set, 150, 60, 100, 10, w, dest));
  EXPECT_EQ(25, w.firstColumn);
  EXPECT_EQ(75, w.lastColumn);
  EXPECT_EQ(CRect(0, 0, 100, 100), CRect(dest));
  EXPECT_EQ(50, w.Rows());
  // At 40 tenths a quarter of it, centred, across the whole lens.
  ASSERT_TRUE(LensWindow(*set, 150, 60, 100, 40, w, dest));
  EXPECT_EQ(44, w.firstColumn);
  EXPECT_EQ(57, w.lastColumn);
  EXPECT_LE(dest.left, 0);
  EXPECT_GE(dest.right, 100);
  // Half past the plot's left edge: the matrix fills the right half.
  ASSERT_TRUE(LensWindow(*set, 50, 60, 100, 10, w, dest));
  EXPECT_EQ(0, w.firstColumn);
  EXPECT_EQ(25, w.lastColumn);
  EXPECT_EQ(50, dest.left);
  EXPECT_EQ(100, dest.right);
  // Past the top: the top rows of the matrix at the lens's lower part.
  ASSERT_TRUE(LensWindow(*set, 150, 0, 100, 10, w, dest));
  EXPECT_EQ(64, w.lastRow);
  EXPECT_EQ(50, dest.top);
  // Nothing of the matrix under it, or no magnification at all.
  EXPECT_FALSE(LensWindow(*set, 400, 60, 100, 10, w, dest));
  EXPECT_FALSE(LensWindow(*set, 150, 60, 100, 0, w, dest));
}

}  // namespace
