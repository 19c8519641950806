// The Edit, View and Layout commands of the document core: byte swap,
// deleting a spectrum, intensity, the whole data, expansions and the
// overlay and stacked arrangements.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "tests/onedim/document/document_test_host.h"

namespace {

class ViewLayoutTest : public ::testing::Test {
 protected:
  // n spectra of td floats, the last one current.
  void AddSpectra(int n, int td = 64) {
    for (int i = 0; i < n; i++)
      AddTestSpectrum(m_doc, td);
  }

  CTestHost m_host;
  CBrivaneProDoc m_doc{&m_host};
};

TEST_F(ViewLayoutTest, ByteSwapReversesTheBytesOfEachValueAsAnInteger) {
  const struct {
    float fIn, fOut;
  } cases[] = {
      {1.0f, 16777216.0f},         // 0x00000001 -> 0x01000000
      {1.75f, 16777216.0f},        // truncated first
      {-1.0f, -1.0f},              // 0xFFFFFFFF reads the same both ways
      {256.0f, 65536.0f},          // 0x00000100 -> 0x00010000
      {NAN, 0.0f},                 // no integer: 0
      {3e9f, -129.0f},             // beyond the range: INT_MAX, 0x7FFFFFFF -> 0xFFFFFF7F
      {-3e9f, 128.0f},             // INT_MIN, 0x80000000 -> 0x00000080
      {16777216.0f, 1.0f},         // and back
  };
  const int n = (int)(sizeof cases / sizeof cases[0]);
  CSpectrum* s = AddTestSpectrum(m_doc, n, [&](int i) { return cases[i].fIn; });
  ASSERT_TRUE(m_doc.ByteSwapSpectrum());
  for (int i = 0; i < n; i++)
    EXPECT_EQ(cases[i].fOut, s->m_pData[i]) << "case " << i;
  EXPECT_EQ(0.0f, s->m_pRawData[1] - 1.75f) << "the acquired data stay";
  EXPECT_TRUE(m_host.m_bModified);
  EXPECT_EQ(1, s->m_bDataChanged);
  EXPECT_EQ(std::string("Byte Swap\r\n"), (LPCSTR)m_doc.GetHistory().GetText());

  CBrivaneProDoc empty(&m_host);
  EXPECT_FALSE(empty.ByteSwapSpectrum());
}

TEST_F(ViewLayoutTest, DeletingTheCurrentSpectrumMakesTheFirstCurrentAndKeepsTheLast) {
  AddSpectra(3);
  CSpectrum* first = m_doc.GetSpectrumAt(0);
  CSpectrum* second = m_doc.GetSpectrumAt(1);
  ASSERT_TRUE(m_doc.DeleteCurrentSpectrum());  // the last of the list
  EXPECT_EQ(2, m_doc.GetSpectrumCount());
  EXPECT_EQ(first, m_doc.GetCurrentSpectrum());
  EXPECT_TRUE(m_host.m_bModified);

  m_doc.SetCurrentSpectrum(second);
  ASSERT_TRUE(m_doc.DeleteCurrentSpectrum());
  EXPECT_EQ(first, m_doc.GetCurrentSpectrum());
  EXPECT_EQ(1, m_doc.m_nSpectra);

  // The only spectrum stays.
  EXPECT_FALSE(m_doc.DeleteCurrentSpectrum());
  EXPECT_EQ(first, m_doc.GetCurrentSpectrum());
  CBrivaneProDoc empty(&m_host);
  EXPECT_FALSE(empty.DeleteCurrentSpectrum());
}

TEST_F(ViewLayoutTest, IntensityStepsTheCurrentSpectrumOrAllWhileTheArithmeticBarIsUp) {
  AddSpectra(2);
  CSpectrum* other = m_doc.GetSpectrumAt(0);
  CSpectrum* current = m_doc.GetCurrentSpectrum();
  current->m_fVerticalScale = 100.0f;
  other->m_fVerticalScale = 50.0f;
  m_doc.ChangeIntensity(TRUE);
  EXPECT_FLOAT_EQ(120.0f, current->m_fVerticalScale);
  EXPECT_FLOAT_EQ(50.0f, other->m_fVerticalScale);
  m_doc.ChangeIntensity(FALSE);
  EXPECT_FLOAT_EQ(100.0f, current->m_fVerticalScale);

  m_host.m_bArithmeticBar = TRUE;
  m_doc.ChangeIntensity(FALSE);
  EXPECT_FLOAT_EQ(100.0f / 1.2f, current->m_fVerticalScale);
  EXPECT_FLOAT_EQ(50.0f / 1.2f, other->m_fVerticalScale);
  EXPECT_TRUE(m_host.m_bModified);

  CBrivaneProDoc empty(&m_host);
  empty.ChangeIntensity(TRUE);  // nothing to change
}

TEST_F(ViewLayoutTest, FullSpectrumShowsTheCurrentOrEveryRangeAndTheLastDecidesTheCheckWithZoomAll) {
  AddSpectra(2);
  CSpectrum* first = m_doc.GetSpectrumAt(0);
  CSpectrum* last = m_doc.GetSpectrumAt(1);
  for (CSpectrum* s : {first, last}) {
    s->m_nFirst = 8;
    s->m_nLast = 32;
  }
  m_doc.SetCurrentSpectrum(first);
  EXPECT_FALSE(m_doc.IsFullSpectrumShown());
  m_host.m_bScrollVisible = TRUE;
  m_doc.ShowFullSpectrum();
  EXPECT_EQ(0, first->m_nFirst);
  EXPECT_EQ(64, first->m_nLast);
  EXPECT_EQ(8, last->m_nFirst) << "the other spectrum keeps its range";
  EXPECT_FALSE(m_host.m_bScrollVisible);
  EXPECT_TRUE(m_doc.IsFullSpectrumShown());

  // With apply-zoom-to-all the last spectrum decides the check.
  m_doc.m_bZoomAll = 1;
  EXPECT_FALSE(m_doc.IsFullSpectrumShown());
  m_doc.ShowFullSpectrum();
  EXPECT_EQ(0, last->m_nFirst);
  EXPECT_EQ(64, last->m_nLast);
  EXPECT_TRUE(m_doc.IsFullSpectrumShown());

  CBrivaneProDoc empty(&m_host);
  empty.ShowFullSpectrum();
  EXPECT_FALSE(empty.IsFullSpectrumShown());
  empty.m_bZoomAll = 1;
  EXPECT_FALSE(empty.IsFullSpectrumShown());
}

bool FailEveryAllocation(std::size_t) {
  return false;
}

TEST_F(ViewLayoutTest, AnExpansionIsACopyOfTheCurrentSpectrumAndEveryAxisMovesDown) {
  AddSpectra(2);
  CSpectrum* source = m_doc.GetCurrentSpectrum();
  source->m_rectPlot = RECT{0, 300, 800, 310};
  m_doc.GetSpectrumAt(0)->m_Scale.SetPosition(100);
  source->m_Scale.SetPosition(305);
  source->m_Scale.SetFloating(false);
  ASSERT_TRUE(m_doc.CreateExpansion());
  ASSERT_EQ(3, m_doc.GetSpectrumCount());
  EXPECT_EQ(3, m_doc.m_nSpectra);
  EXPECT_EQ(source, m_doc.GetCurrentSpectrum());
  CSpectrum* copy = m_doc.GetSpectrumAt(2);
  ASSERT_NE(source, copy);
  EXPECT_EQ(source->m_pData[5], copy->m_pData[5]);
  EXPECT_DOUBLE_EQ(64 / (2.0 * 5000.0), copy->m_paramsA.aq);
  EXPECT_EQ(100, copy->m_rectPlot.left);  // drawn right of and above its source
  EXPECT_EQ(200, copy->m_rectPlot.top);
  const int expected[] = {110, 315, 210 + 10};
  for (int i = 0; i < 3; i++) {
    EXPECT_TRUE(m_doc.GetSpectrumAt(i)->m_Scale.IsFloating()) << i;
    EXPECT_EQ(expected[i], m_doc.GetSpectrumAt(i)->m_Scale.GetPosition()) << i;
  }
  EXPECT_TRUE(m_host.m_bModified);

  // Without memory for the copy nothing is added and the user is told.
  CSpectrum::AllocationHook pfnOld = CSpectrum::SetAllocationHook(FailEveryAllocation);
  EXPECT_FALSE(m_doc.CreateExpansion());
  CSpectrum::SetAllocationHook(pfnOld);
  EXPECT_EQ(3, m_doc.GetSpectrumCount());
  ASSERT_EQ(1u, m_host.m_messages.size());

  CBrivaneProDoc empty(&m_host);
  EXPECT_FALSE(empty.CreateExpansion());
}

TEST_F(ViewLayoutTest, ArrangementsPutEachZeroLineAndPixelExtentInPlace) {
  // An 800 x 600 view and three spectra: zero line m, trace from left to right.
  struct Layout {
    int m, left, right;
  };
  const struct {
    const char* name;
    bool bOverlay;
    int nAuto, nDirection;
    Layout spectra[3];
  } cases[] = {
      {"overlay", true, 1, 0, {{150, 0, 800}, {300, 0, 800}, {450, 0, 800}}},
      {"stacked right to left", false, 1, 0, {{150, 300, 650}, {300, 150, 500}, {450, 0, 350}}},
      {"stacked left to right", false, 1, 1, {{150, 150, 500}, {300, 300, 650}, {450, 450, 800}}},
      {"other direction keeps the extent", false, 1, 2, {{150, 7, 9}, {300, 7, 9}, {450, 7, 9}}},
      {"manual", false, 0, 0, {{50, 0, 760}, {70, 20, 780}, {90, 40, 800}}},
  };
  AddSpectra(3);
  m_doc.SetCurrentSpectrum(m_doc.GetSpectrumAt(1));
  for (const auto& c : cases) {
    for (int i = 0; i < 3; i++) {
      m_doc.GetSpectrumAt(i)->m_nLeftPixel = 7;
      m_doc.GetSpectrumAt(i)->m_nRightPixel = 9;
    }
    m_doc.m_nAutoLayout = c.nAuto;
    m_doc.m_nStackDirection = c.nDirection;
    m_host.m_bModified = FALSE;
    if (c.bOverlay)
      m_doc.ArrangeOverlay();
    else
      m_doc.ArrangeStacked();
    for (int i = 0; i < 3; i++) {
      const CSpectrum* s = m_doc.GetSpectrumAt(i);
      const Layout& want = c.spectra[i];
      EXPECT_EQ(want.m + 5, s->m_rectPlot.top) << c.name << " " << i;
      EXPECT_EQ(want.m - 5, s->m_rectPlot.bottom) << c.name << " " << i;
      EXPECT_EQ(0, s->m_rectPlot.left) << c.name << " " << i;
      EXPECT_EQ(800, s->m_rectPlot.right) << c.name << " " << i;
      EXPECT_EQ(want.m + 5, s->m_Scale.GetPosition()) << c.name << " " << i;
      EXPECT_TRUE(s->m_Scale.IsFloating()) << c.name << " " << i;
      EXPECT_EQ(want.left, s->m_nLeftPixel) << c.name << " " << i;
      EXPECT_EQ(want.right, s->m_nRightPixel) << c.name << " " << i;
    }
    // The ruler shows the current (second) spectrum's extent.
    EXPECT_EQ(c.spectra[1].left * 100 / 800, m_host.m_nRulerLeft) << c.name;
    EXPECT_EQ(c.spectra[1].right * 100 / 800, m_host.m_nRulerRight) << c.name;
    EXPECT_TRUE(m_host.m_bModified) << c.name;
  }

  // Without spectra, or without a view, nothing breaks.
  CBrivaneProDoc empty(&m_host);
  empty.ArrangeOverlay();
  empty.ArrangeStacked();
  m_host.m_bHasView = FALSE;
  m_doc.ArrangeStacked();
  EXPECT_EQ(0, m_doc.GetSpectrumAt(0)->m_nLeftPixel);
}

TEST_F(ViewLayoutTest, TheScaleBarPlacesFitsAndSetsUnitsOnTheCurrentSpectrumOrAll) {
  AddSpectra(2);
  CSpectrum* other = m_doc.GetSpectrumAt(0);
  CSpectrum* current = m_doc.GetCurrentSpectrum();
  other->m_nLeftPixel = 50;
  other->m_nRightPixel = 700;
  current->m_nLeftPixel = 100;
  current->m_nRightPixel = 500;

  m_doc.PlaceSpectrum(800, 25, 75, FALSE);
  EXPECT_EQ(200, current->m_nLeftPixel);
  EXPECT_EQ(600, current->m_nRightPixel);
  EXPECT_EQ(50, other->m_nLeftPixel);

  // With apply-to-all every spectrum moves as the current one did.
  m_doc.PlaceSpectrum(800, 50, 75, TRUE);
  EXPECT_EQ(400, current->m_nLeftPixel);
  EXPECT_EQ(600, current->m_nRightPixel);
  EXPECT_EQ(250, other->m_nLeftPixel);
  EXPECT_EQ(700, other->m_nRightPixel);

  m_host.m_nRulerLeft = m_host.m_nRulerRight = -1;
  m_doc.FitToWidth(640, FALSE);
  EXPECT_EQ(0, current->m_nLeftPixel);
  EXPECT_EQ(640, current->m_nRightPixel);
  EXPECT_EQ(250, other->m_nLeftPixel);
  EXPECT_EQ(0, m_host.m_nRulerLeft);
  EXPECT_EQ(100, m_host.m_nRulerRight);
  m_doc.FitToWidth(640, TRUE);
  EXPECT_EQ(0, other->m_nLeftPixel);
  EXPECT_EQ(640, other->m_nRightPixel);

  const int units[] = {AXIS_UNITS_SECONDS, AXIS_UNITS_PPM, AXIS_UNITS_HZ, AXIS_UNITS_POINTS};
  other->m_Scale.m_nUnits = AXIS_UNITS_HZ;
  for (int entry = 0; entry < 4; entry++) {
    ASSERT_TRUE(m_doc.SetUnitsEntry(entry, FALSE));
    EXPECT_EQ(units[entry], current->m_Scale.m_nUnits);
    EXPECT_EQ(AXIS_UNITS_HZ, other->m_Scale.m_nUnits);
  }
  ASSERT_TRUE(m_doc.SetUnitsEntry(1, TRUE));
  EXPECT_EQ(AXIS_UNITS_PPM, other->m_Scale.m_nUnits);
  EXPECT_FALSE(m_doc.SetUnitsEntry(4, TRUE));
  EXPECT_FALSE(m_doc.SetUnitsEntry(-1, TRUE));
  EXPECT_EQ(AXIS_UNITS_PPM, current->m_Scale.m_nUnits);

  CBrivaneProDoc empty(&m_host);
  empty.PlaceSpectrum(800, 0, 100, TRUE);
  empty.FitToWidth(800, TRUE);
  EXPECT_FALSE(empty.SetUnitsEntry(0, TRUE));
}

}  // namespace
