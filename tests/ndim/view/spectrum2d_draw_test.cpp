// A whole set drawn as the view draws it: the pen handed back, frame and
// axes, the plot only while dirty, the strips on screen and on paper, and
// the tracker.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/win/WindowTest.h"
#include "ndim/view/Spectrum2DDraw.h"
#include "tests/ndim/nd_plot_support.h"
#include "tests/ndim/nd_test_support.h"
#include "tests/ndim/view/nd_view_test_support.h"

namespace {

class SetDrawTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    SetNdDrawSettings(&m_settings);
  }
  void TearDown() override {
    SetNdDrawSettings(nullptr);
    WindowTest::TearDown();
  }
  void ShowAxes(bool f2, bool f1) {
    m_settings.m_bShowF2Axis = f2;
    m_settings.m_bShowF1Axis = f1;
  }
  std::unique_ptr<CSpectrum2D> Gaussian(UINT mode) {
    std::unique_ptr<CSpectrum2D> set(MakeSet(64, 64, true));
    FillGaussian(*set, 32.0, 32.0, 6.0, 1000.0);
    set->m_nDisplayMode = mode;
    set->SetPlotRect(CRect(100, 100, 356, 356));
    return set;
  }
  static bool Has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
  NdDrawSettings m_settings;
};

TEST_F(SetDrawTest, DrawsPlotFrameAndAxesAndHandsThePenBack) {
  std::unique_ptr<CSpectrum2D> set = Gaussian(1);
  DrawTarget target(460, 420);
  CPen green(PS_SOLID, 3, RGB(0, 255, 0));
  CSelectGuard guard(*target.dc(), &green);
  set->Draw(target.dc());
  EXPECT_EQ(::GetCurrentObject(target.dc()->GetSafeHdc(), OBJ_PEN), green.GetSafeHandle());
  EXPECT_EQ(target.Pixel(100, 200), kBlack);  // frame
  EXPECT_EQ(target.Pixel(355, 100), kBlack);
  EXPECT_GT(target.bitmap().Count(kBlue), 50);  // contours

  TestMetafile emf([&](CDC& dc) { set->Draw(&dc); });
  const std::vector<std::string> texts = Texts(emf.get());
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Pts"), 2);
  EXPECT_TRUE(Has(texts, "40"));
  set->m_axis.m_nUnitsF2 = 3;
  ShowAxes(true, false);
  TestMetafile ppm([&](CDC& dc) { set->Draw(&dc); });
  const std::vector<std::string> labels = Texts(ppm.get());
  EXPECT_TRUE(Has(labels, "ppm"));
  EXPECT_TRUE(Has(labels, "2.0"));
}

TEST_F(SetDrawTest, PlotIsDrawnOnlyWhileDirty) {
  std::unique_ptr<CSpectrum2D> set = Gaussian(0);
  set->m_bPlotDirty = 0;
  DrawTarget target(460, 420);
  set->Draw(target.dc());
  EXPECT_EQ(target.Pixel(228, 228), kWhite);
  EXPECT_EQ(target.Pixel(100, 228), kBlack);
  set->m_bPlotDirty = 1;
  set->Draw(target.dc());
  EXPECT_NE(target.Pixel(228, 228), kWhite);
}

TEST_F(SetDrawTest, StripsShowTheSelectionOnScreenAndNoMessageOnPaper) {
  std::unique_ptr<CSpectrum2D> set = Gaussian(1);
  set->m_bSliceDisplay = 1;
  set->m_nSelectedRow = 32;
  set->m_nSelectedColumn = 32;
  ShowAxes(false, false);
  {
    DrawTarget target(460, 420);
    set->Draw(target.dc());
    // The row through the peak tops out in the middle of the top strip
    // (100 - 75 .. 100) and the column at the middle of the side strip.
    int top = 0, side = 0;
    for (int y = 26; y < 99; ++y)
      top += target.Pixel(228, y) == kBlue;
    for (int x = 26; x < 99; ++x)
      side += target.Pixel(x, 228) == kBlue;
    EXPECT_GT(top, 0);
    EXPECT_GT(side, 0);
    EXPECT_EQ(target.Pixel(25, 200), kBlack);  // the side strip's outer border
  }
  // A loaded trace asked for but missing: the message on screen only.
  set->m_bShowLoadedF2 = 1;
  set->m_bShowLoadedF1 = 1;
  TestMetafile paper([&](CDC& dc) { set->Draw(&dc); });
  for (const std::string& text : Texts(paper.get()))
    EXPECT_EQ(text.find("No data"), std::string::npos);
  DrawTarget screen(460, 420);
  set->Draw(screen.dc());
  int ink = 0;
  for (int y = 30; y < 95; ++y)
    for (int x = 105; x < 350; ++x)
      ink += screen.Pixel(x, y) == kBlack;
  EXPECT_GT(ink, 50);
}

TEST_F(SetDrawTest, PaletteFollowsTheRamp) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(2, 2, true));
  CPalette palette;
  ASSERT_TRUE(CreateSpectrumPalette(*set, palette));
  EXPECT_EQ(palette.GetEntryCount(), 256);
  PALETTEENTRY e[256];
  ASSERT_EQ(palette.GetPaletteEntries(0, 256, e), 256u);
  for (int i : {0, 100, 255}) {
    EXPECT_EQ(e[i].peRed, set->m_red[i]);
    EXPECT_EQ(e[i].peBlue, set->m_blue[i]);
  }
  EXPECT_EQ(e[0].peRed, 255);
  EXPECT_EQ(e[255].peBlue, 255);
}

TEST_F(SetDrawTest, TrackerShowsOnScreenButNotOnAPrinter) {
  std::unique_ptr<CSpectrum2D> set = Gaussian(1);
  set->m_bShowTracker = 1;
  ShowAxes(false, false);
  for (BOOL printing : {FALSE, TRUE}) {
    DrawTarget target(460, 420);
    target.dc()->SetPrinting(printing);
    set->Draw(target.dc());
    // A resize handle inside the top-left corner.
    EXPECT_EQ(target.Pixel(103, 103), printing ? kWhite : kBlack);
    target.dc()->SetPrinting(FALSE);
  }
}

}  // namespace
