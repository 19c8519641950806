// The mappings behind the 1D view's mouse tools: dragged bands to visible
// ranges, the nearest-maximum search, the cursor readout, resize scaling,
// the full view's zoom box and the magnifier's source band.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "onedim/model/AxisScale.h"
#include "onedim/model/Integral.h"
#include "onedim/model/TextLabel.h"
#include "onedim/plot/ViewGeometry.h"
#include "tests/onedim/model/spectrum_test_util.h"

namespace {

// td floats drawn from pixel 0 to nWidth, zero line at y 200.
std::unique_ptr<CSpectrum> Laid(int td, int nFirst, int nLast, int nWidth, const std::function<float(int)>& fill = {}) {
  auto s = MakeSpectrum(td, fill);
  s->m_nFirst = nFirst;
  s->m_nLast = nLast;
  s->m_nLeftPixel = 0;
  s->m_nRightPixel = nWidth;
  s->m_rectPlot = {0, 100, nWidth, 300};
  return s;
}

TEST(ViewGeometry, BandsBecomeEvenRangesInsideTheData) {
  struct Case {
    int td, first, last, width, xA, xB;
    bool ok;
    int wantFirst, wantLast;
  };
  const Case cases[] = {
      {2048, 0, 2048, 1024, 100, 200, true, 200, 400},
      {2048, 0, 2048, 1024, 200, 100, true, 200, 400},   // dragged leftwards
      {2048, 0, 2048, 1024, 150, 150, false, 0, 0},      // no width
      {2048, 0, 2048, 1024, -50, 5000, true, 0, 2048},   // past both ends
      {1000, 0, 1000, 1000, 101, 303, true, 100, 302},   // odd points round down
      {1000, 0, 1000, 1000, 100, 101, false, 0, 0},      // narrower than two points
      {1024, 0, 4096, 1024, 100, 900, true, 400, 1024},  // data shrank under the range
      {1024, 2000, 4096, 1024, 10, 20, false, 0, 0},     // range wholly past the data
      {2048, 0, 2048, 0, 10, 20, false, 0, 0},           // no pixel extent
  };
  for (const Case& c : cases) {
    auto s = Laid(c.td, c.first, c.last, c.width);
    VisibleRange r{-7, -7};
    EXPECT_EQ(c.ok, MapBandToRange(*s, c.xA, c.xB, r)) << c.xA << ".." << c.xB;
    if (c.ok) {
      EXPECT_EQ(c.wantFirst, r.nFirst) << c.xA;
      EXPECT_EQ(c.wantLast, r.nLast) << c.xB;
    } else {
      EXPECT_EQ(-7, r.nFirst);  // untouched
    }
  }
}

TEST(ViewGeometry, ZoomToAllCarriesTheRangeThroughHz) {
  auto from = MakeSpectrum(2048);
  auto twice = MakeSpectrum(4096);
  auto shifted = MakeSpectrum(4096, {}, 5000.0, 400.0, 100.0);
  auto narrow = MakeSpectrum(2048, {}, 1000.0);
  VisibleRange r;
  ASSERT_TRUE(MapRangeThroughHz(*from, {200, 400}, *twice, r));
  EXPECT_EQ(400, r.nFirst);
  EXPECT_EQ(800, r.nLast);
  ASSERT_TRUE(MapRangeThroughHz(*from, {200, 400}, *shifted, r));
  EXPECT_EQ(300, r.nFirst);
  EXPECT_EQ(700, r.nLast);
  // 5000 Hz wide band at the high end lies wholly outside 1000 Hz.
  EXPECT_FALSE(MapRangeThroughHz(*from, {0, 200}, *narrow, r));
  auto empty = MakeSpectrum(0);
  EXPECT_FALSE(MapRangeThroughHz(*from, {0, 200}, *empty, r));
}

TEST(ViewGeometry, NearestMaximumTakesOnlyASingleCandidate) {
  // One float per pixel; peaks as given, zero line y 200, 1 unit = 1 pixel.
  auto peaks = [](std::initializer_list<int> at) {
    std::vector<int> v(at);
    auto s = Laid(1000, 0, 1000, 1000, [v](int i) {
      for (int p : v)
        if (i == p)
          return 50.0f;
      return (i % 2 == 0) ? 1.0f : 0.0f;
    });
    s->m_fIntensityStep = 1.0f;
    s->m_fVerticalScale = 50.0f;  // with the largest value 50: one unit a pixel
    s->m_fMaxValue = 50.0f;
    return s;
  };
  auto one = peaks({500});
  EXPECT_EQ(500, FindNearestMaximum(*one, 510, 190));
  EXPECT_EQ(-1, FindNearestMaximum(*one, 700, 190));  // nothing within 30 pixels
  EXPECT_EQ(-1, FindNearestMaximum(*one, 510, 100));  // mouse above the peak
  // Two peaks: the shrinking window drops the farther one.
  auto two = peaks({490, 520});
  EXPECT_EQ(490, FindNearestMaximum(*two, 496, 190));
  // At both ends of the data the window reads nothing outside it.
  auto ends = peaks({2, 996});
  EXPECT_EQ(2, FindNearestMaximum(*ends, 0, 190));
  EXPECT_EQ(996, FindNearestMaximum(*ends, 999, 190));
}

TEST(ViewGeometry, PressesFindTheTraceOrTheFloatingScale) {
  // A flat trace 20 pixels above the zero line (y 180).
  auto s = Laid(1000, 0, 1000, 1000, [](int) { return 20.0f; });
  s->m_fIntensityStep = 1.0f;
  s->m_fVerticalScale = 20.0f;
  s->m_fMaxValue = 20.0f;
  s->m_bShowScale = 1;
  s->m_Scale.SetFloating(true);
  s->m_Scale.SetPosition(250);
  struct Case {
    POINT pt;
    bool trace, scale;
  };
  const Case cases[] = {{{500, 180}, true, false},   {{500, 183}, true, false}, {{500, 185}, false, false},
                        {{1200, 180}, false, false}, {{500, 252}, false, true}, {{-1, 250}, false, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.trace, HitsTrace(*s, c.pt)) << c.pt.x << "," << c.pt.y;
    EXPECT_EQ(c.scale, HitsFloatingScale(*s, c.pt)) << c.pt.x << "," << c.pt.y;
  }
  s->m_Scale.SetFloating(false);  // the grey band is no handle
  EXPECT_FALSE(HitsFloatingScale(*s, {500, 250}));
  s->m_nLast = 4000;  // data shorter than the range: no read past it
  EXPECT_FALSE(HitsTrace(*s, {900, 180}));
}

TEST(ViewGeometry, CursorReadoutInUnitsOrOutOfRange) {
  auto s = Laid(1000, 0, 1000, 1000, [](int i) { return i * 0.5f; });
  s->m_Scale.m_nUnits = AXIS_UNITS_POINTS;
  EXPECT_STREQ("50 Int.=50.0", (LPCSTR)FormatCursorReadout(*s, 101));
  s->m_Scale.m_nUnits = AXIS_UNITS_PPM;  // 5000 Hz at 400 MHz over 1000 floats
  EXPECT_STREQ("11.25 Int.=50.0", (LPCSTR)FormatCursorReadout(*s, 100));
  EXPECT_STREQ("Out of range", (LPCSTR)FormatCursorReadout(*s, -5));
  // The pixel of float index td names no point of the data.
  EXPECT_STREQ("Out of range", (LPCSTR)FormatCursorReadout(*s, 1000));
  s->m_nLast = 4000;  // the data shrank under the visible range
  EXPECT_STREQ("Out of range", (LPCSTR)FormatCursorReadout(*s, 500));
}

TEST(ViewGeometry, ResizeScalesTheLayoutAndSurvivesEmptySizes) {
  struct Case {
    SIZE before, after;
    double dx, dy;
  };
  const Case cases[] = {{{400, 300}, {800, 150}, 2.0, 0.5},
                        {{0, 0}, {800, 600}, 1.0, 1.0},  // first size
                        {{400, 300}, {0, 0}, 1.0, 1.0},  // minimised
                        {{400, 300}, {400, 300}, 1.0, 1.0}};
  for (const Case& c : cases) {
    double dx = 0, dy = 0;
    ResizeRatios(c.before, c.after, dx, dy);
    EXPECT_EQ(c.dx, dx);
    EXPECT_EQ(c.dy, dy);
  }
  auto s = Laid(64, 0, 64, 400);
  s->m_nLeftPixel = 40;
  s->m_Scale.SetPosition(280);
  s->m_fVerticalScale = 3.0f;
  s->m_nIntegralScaleDen = 1;
  auto* pIntegral = new CIntegral();
  pIntegral->m_nBase = 120;
  s->m_arrIntegrals.Add(pIntegral);
  RescaleSpectrumLayout(*s, 2.0, 0.5);
  EXPECT_EQ(80, s->m_nLeftPixel);
  EXPECT_EQ(800, s->m_nRightPixel);
  EXPECT_EQ(50, s->m_rectPlot.top);
  EXPECT_EQ(150, s->m_rectPlot.bottom);
  EXPECT_EQ(140, s->m_Scale.GetPosition());
  EXPECT_FLOAT_EQ(1.5f, s->m_fVerticalScale);
  EXPECT_EQ(60, pIntegral->m_nBase);
  EXPECT_EQ(1, s->m_nIntegralScaleDen);  // a divisor never becomes 0

  // The full view shown and hidden again and again (a view of 600 and of
  // 493 pixels): after the first time the layout keeps its place, and
  // grown first it comes back exactly; truncated pixels crept up by one at
  // each turn.
  for (const double r : {600.0 / 493.0, 493.0 / 600.0}) {
    s->m_rectPlot = {0, 447, 400, 457};
    s->m_Scale.SetPosition(457);
    pIntegral->m_nBase = 452;
    RescaleSpectrumLayout(*s, 1.0, r);
    RescaleSpectrumLayout(*s, 1.0, 1.0 / r);
    const RECT once = s->m_rectPlot;
    const int nPosition = s->m_Scale.GetPosition(), nBase = pIntegral->m_nBase;
    if (r > 1.0) {
      EXPECT_EQ(447, once.top);
      EXPECT_EQ(457, once.bottom);
      EXPECT_EQ(457, nPosition);
      EXPECT_EQ(452, nBase);
    }
    for (int i = 0; i < 10; i++) {
      RescaleSpectrumLayout(*s, 1.0, r);
      RescaleSpectrumLayout(*s, 1.0, 1.0 / r);
    }
    EXPECT_EQ(once.top, s->m_rectPlot.top) << r;
    EXPECT_EQ(once.bottom, s->m_rectPlot.bottom) << r;
    EXPECT_EQ(nPosition, s->m_Scale.GetPosition()) << r;
    EXPECT_EQ(nBase, pIntegral->m_nBase) << r;
  }
}

TEST(ViewGeometry, ZoomBoxStaysOnTheSpectrum) {
  const RECT box = {100, 0, 200, 60};
  struct Case {
    int mode, edge, dx;
    LONG left, right;
  };
  const Case cases[] = {
      {2, 0, 50, 150, 250},   {2, 0, -500, 10, 110},  // stops at the left end, same width
      {2, 0, 900, 890, 990},  {1, 0, -30, 70, 200},   // left edge only
      {1, 1, 30, 100, 230},   {1, 0, 150, 200, 250},  // left edge over the right: normalised
      {1, 1, 5000, 100, 990}, {0, 0, 40, 100, 200},
  };
  for (const Case& c : cases) {
    const RECT r = MoveZoomBox(box, c.mode, c.edge, c.dx, 10, 990);
    EXPECT_EQ(c.left, r.left) << c.mode << " " << c.dx;
    EXPECT_EQ(c.right, r.right) << c.mode << " " << c.dx;
  }
  int nEdge = -1;
  EXPECT_EQ(2, ZoomBoxHitMode(box, {150, 30}, nEdge));
  EXPECT_EQ(1, ZoomBoxHitMode(box, {102, 30}, nEdge));
  EXPECT_EQ(0, nEdge);
  EXPECT_EQ(1, ZoomBoxHitMode({200, 0, 100, 60}, {198, 30}, nEdge));  // inverted box
  EXPECT_EQ(1, nEdge);
  EXPECT_EQ(0, ZoomBoxHitMode(box, {50, 30}, nEdge));
}

TEST(ViewGeometry, MagnifierSourceBand) {
  // One float per pixel over 2000 pixels.
  auto s = Laid(2000, 0, 2000, 2000);
  struct Case {
    int size, magnification, lensLeft, first, last;
  };
  const Case cases[] = {
      {200, 30, 400, 470, 530},     // 60 source pixels round the lens centre
      {200, 1, 400, 0, 1500},       // 0.1x: a band ten lens widths wide, cut at 0
      {200, 30, -500, 0, 0},        // past the left end: from point 0
      {200, 30, 3000, 2000, 2000},  // past the right end: empty at td
      {200, 0, 400, 0, 1500},       // a zero magnification is taken as the least
  };
  for (const Case& c : cases) {
    const VisibleRange r = MagnifierSourceRange(*s, c.size, c.magnification, c.lensLeft);
    EXPECT_EQ(c.first, r.nFirst) << c.magnification << " " << c.lensLeft;
    EXPECT_EQ(c.last, r.nLast) << c.magnification << " " << c.lensLeft;
  }
}

TEST(ViewGeometry, TextLabelsAreHitByTheirDrawnRectangleAndDraggedInPixels) {
  // Two floats a pixel; the labels own no spectrum list, the test deletes them.
  auto s = Laid(2048, 0, 2048, 1024);
  auto* below = new CTextLabel("below", nullptr, s.get(), 0, FALSE, 100, 100);
  auto* above = new CTextLabel("above", nullptr, s.get(), 0, TRUE, 100, 100);
  below->m_rectDrawn = {90, 90, 150, 110};
  above->m_rectDrawn = {120, 95, 180, 115};
  s->m_arrLabels.Add(below);
  s->m_arrLabels.Add(above);
  EXPECT_EQ(below, TextLabelAt(*s, {100, 100}));
  EXPECT_EQ(above, TextLabelAt(*s, {130, 100})) << "the later label lies on top";
  EXPECT_EQ(nullptr, TextLabelAt(*s, {150, 89}));
  EXPECT_EQ(nullptr, TextLabelAt(*s, {180, 100})) << "right edge excluded";

  struct Case {
    CTextLabel* label;
    int dx, dy, wantX, wantY;
  };
  ASSERT_EQ(200, above->m_x);  // an attached label keeps a float index
  const Case cases[] = {{below, 30, -20, 130, 80}, {above, 30, -20, 260, 80}, {above, -200, 0, -140, 80}};
  for (const Case& c : cases) {
    MoveTextLabel(*c.label, c.dx, c.dy);
    EXPECT_EQ(c.wantX, c.label->m_x) << c.label->m_strText;
    EXPECT_EQ(c.wantY, c.label->m_y);
  }
  s->m_arrLabels.RemoveAll();
  delete below;
  delete above;
}

TEST(ViewGeometry, ATrackedIntegralMovesUpOrDownWholeOrTakesItsNewRangeAndHeight) {
  // Two floats a pixel; the integral's tracker spans pixels 100..200, 50 high.
  const RECT before = {100, 100, 200, 150};
  struct Case {
    RECT after;
    bool all;
    int wantStart, wantEnd, wantBase, wantOtherBase, wantDen;
  };
  const Case cases[] = {
      {{100, 90, 200, 140}, false, 200, 400, 290, 500, 100},     // moved up 10: only its base
      {{100, 90, 200, 140}, true, 200, 400, 290, 490, 100},      // with all, the other too
      {{50, 100, 251, 150}, false, 102, 500, 300, 500, 100},     // wider: the range, inset a pixel
      {{100, 100, 200, 200}, false, 202, 398, 300, 500, 200},    // twice as high: the curve scale
      {{-300, 100, 4000, 150}, false, 0, 2048, 300, 500, 100},   // past both ends: the data
      {{1100, 100, 2000, 150}, false, 200, 400, 300, 500, 100},  // past the data: range kept
  };
  for (const Case& c : cases) {
    auto s = Laid(2048, 0, 2048, 1024);
    auto* integral = new CIntegral(nullptr, 200, 400, 300, 0);
    auto* other = new CIntegral(nullptr, 800, 900, 500, 0);
    s->m_arrIntegrals.Add(integral);
    s->m_arrIntegrals.Add(other);
    s->m_nIntegralScaleDen = 100;
    ApplyIntegralTrack(*s, *integral, before, c.after, c.all);
    EXPECT_EQ(c.wantStart, integral->m_nStart) << c.after.left << ".." << c.after.right;
    EXPECT_EQ(c.wantEnd, integral->m_nEnd) << c.after.left << ".." << c.after.right;
    EXPECT_EQ(c.wantBase, integral->m_nBase) << c.after.top;
    EXPECT_EQ(c.wantOtherBase, other->m_nBase) << c.all;
    EXPECT_EQ(c.wantDen, s->m_nIntegralScaleDen) << c.after.bottom;
  }
}

}  // namespace
