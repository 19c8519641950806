// The plots drawn under Windows (nd_probe's test checks the ring and the
// disc of each mode): the raster filling its rectangle exactly, whitewash
// hiding rows, bitmaps drawn either way up, and sets that every mode must
// survive.
#include <cmath>
#include <limits>
#include <memory>

#include "framework/win/WindowTest.h"
#include "ndim/plot/Dib.h"
#include "ndim/plot/RasterPlot.h"
#include "ndim/view/DibSection.h"
#include "tests/ndim/nd_plot_support.h"
#include "tests/ndim/nd_test_support.h"
#include "tests/ndim/view/nd_view_test_support.h"

namespace {

class PlotDrawTest : public WindowTest {
 protected:
  // A Gaussian of height 1000 about point (60, 45), two pixels a point.
  std::unique_ptr<CSpectrum2D> Gaussian(UINT mode) {
    std::unique_ptr<CSpectrum2D> set(MakeSet(96, 128, false));
    FillGaussian(*set, 60.0, 45.0, 9.0, 1000.0);
    set->m_nDisplayMode = mode;
    set->SetPlotRect(CRect(20, 10, 276, 202));
    return set;
  }
};

TEST_F(PlotDrawTest, RasterFillsExactlyItsRectangle) {
  std::unique_ptr<CSpectrum2D> set = Gaussian(0);
  DrawTarget target(300, 220);
  set->DrawPlot(target.dc());
  const CRasterScale scale(set->m_fLowestLevel, set->m_fLevelRatio);
  const int top = scale.Index(1000.0f);
  EXPECT_EQ(target.Pixel(141, 111), RGB(set->m_red[top], set->m_green[top], set->m_blue[top]));
  EXPECT_EQ(target.Pixel(141, 60), kWhite);
  // Every point above the threshold: exactly the rectangle is coloured.
  for (int i = 0; i < 96 * 128; ++i)
    set->m_pData[2 * i] = 600.0f;
  target.bitmap().Fill(kWhite);
  set->DrawPlot(target.dc());
  EXPECT_EQ(target.bitmap().Count(kWhite), 300 * 220 - 256 * 192);
  EXPECT_NE(target.Pixel(20, 10), kWhite);
  EXPECT_NE(target.Pixel(275, 201), kWhite);
}

TEST_F(PlotDrawTest, WhitewashHidesTheRowsAboveIt) {
  // Row 0 (drawn last, lowest) has a peak that rises over row 1's line.
  std::unique_ptr<CSpectrum2D> set(MakeSet(2, 51, true));
  for (int c = 0; c < 51; ++c) {
    set->m_pData[c] = static_cast<float>(25 - std::abs(c - 25));
    set->m_pData[51 + c] = 0.0f;
  }
  set->m_fStackScale = 150.0f;
  set->SetPlotRect(CRect(0, 100, 200, 300));
  for (UINT mode : {2u, 3u}) {
    set->m_nDisplayMode = mode;
    DrawTarget target(200, 320);
    set->DrawPlot(target.dc());
    // Row 1's line lies at y 100; the peak reaches y 200 - 150.
    EXPECT_EQ(target.Pixel(20, 100), kBlue);
    EXPECT_EQ(target.Pixel(100, 100), mode == 2 ? kBlue : kWhite) << mode;
    EXPECT_EQ(target.Pixel(100, 50), kBlue);
  }
}

TEST_F(PlotDrawTest, EveryModeSurvivesSetsWithNothingToShow) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* what;
    float fill;
    RECT zoom;
    float threshold, ratio;
    bool data;
  };
  const Case cases[] = {
      {"all equal", 7.0f, {0, 0, 16, 12}, 500, 2, true},      {"not numbers", nan, {0, 0, 16, 12}, 500, 2, true},
      {"infinite", inf, {0, 0, 16, 12}, 500, 2, true},        {"one point", 900.0f, {3, 3, 4, 4}, 500, 2, true},
      {"zoom outside", 1.0f, {40, 40, 80, 80}, 500, 2, true}, {"zero threshold", 1.0f, {0, 0, 16, 12}, 0, 2, true},
      {"zero ratio", 900.0f, {0, 0, 16, 12}, 500, 0, true},   {"no data", 0.0f, {0, 0, 16, 12}, 500, 2, false},
  };
  for (const Case& c : cases) {
    for (UINT mode = 0; mode <= 4; ++mode) {
      std::unique_ptr<CSpectrum2D> set(MakeSet(12, 16, true));
      for (int i = 0; i < 12 * 16; ++i)
        set->m_pData[i] = c.fill;
      set->m_pData[5] = -inf;
      if (!c.data) {
        std::free(set->m_pData);
        set->m_pData = nullptr;
      }
      set->m_zoom = c.zoom;
      set->m_fLowestLevel = c.threshold;
      set->m_fLevelRatio = c.ratio;
      set->m_nDisplayMode = mode;
      set->SetPlotRect(CRect(10, 10, 90, 70));
      DrawTarget target(100, 100);
      set->DrawPlot(target.dc());
      // Nothing lands below the plot or right of it (stacked rows may rise
      // above their rectangle, as they always have).
      for (int x = 0; x < 100; ++x)
        EXPECT_EQ(target.Pixel(x, 75), kWhite) << c.what << " mode " << mode;
      for (int y = 0; y < 100; ++y)
        EXPECT_EQ(target.Pixel(95, y), kWhite) << c.what << " mode " << mode;
    }
  }
}

TEST_F(PlotDrawTest, ABitmapDrawsEitherWayUpAndWithItsPalette) {
  // Two rows of one pixel: the first stored red, the second green.
  CDib dib(1, 2, 24);
  CDibSection section(dib);
  DrawTarget target(10, 10);
  ASSERT_TRUE(section.CreateSection(target.dc()));
  const BYTE rows[8] = {0, 0, 255, 0, 0, 255, 0, 0};
  std::copy(rows, rows + 8, dib.m_lpImage);
  ASSERT_TRUE(section.Draw(target.dc(), 0, 0, 2, 4, FALSE));
  EXPECT_EQ(target.Pixel(1, 3), RGB(255, 0, 0));  // bottom-up: first row at the bottom
  EXPECT_EQ(target.Pixel(1, 0), RGB(0, 255, 0));
  ASSERT_TRUE(section.Draw(target.dc(), 4, 0, 2, 4, TRUE));
  EXPECT_EQ(target.Pixel(5, 0), RGB(255, 0, 0));
  EXPECT_EQ(target.Pixel(5, 3), RGB(0, 255, 0));
  EXPECT_EQ(target.Pixel(5, 4), kWhite);

  CDib grey(2, 1, 8);
  ASSERT_TRUE(grey.AllocateBits());
  grey.m_lpvColorTable[3] = {10, 20, 30, 0};
  grey.m_lpImage[0] = grey.m_lpImage[1] = 3;
  CDibSection greySection(grey);
  EXPECT_FALSE(greySection.CreateSection(target.dc()));  // it has bits already
  ASSERT_TRUE(greySection.Draw(target.dc(), 8, 8, 2, 1, FALSE));
  EXPECT_EQ(target.Pixel(8, 8), RGB(30, 20, 10));
  EXPECT_TRUE(greySection.m_palette.GetSafeHandle() != nullptr);
  CDib empty;
  CDibSection none(empty);
  EXPECT_FALSE(none.Draw(target.dc(), 0, 0, 5, 5, FALSE));
}

}  // namespace
