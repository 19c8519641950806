// The objects a spectrum owns: axis scale, coloured font, text label,
// analysis records, processing state.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "onedim/model/AxisScale.h"
#include "onedim/model/ColourFont.h"
#include "onedim/model/TextLabel.h"
#include "onedim/model/Integral.h"
#include "tests/onedim/model/spectrum_test_util.h"

namespace {

TEST(AxisScale, AssignmentKeepsFontAndUnitsAndFloats) {
  CAxisScale a;
  CAxisScale b;
  b.m_crText = RGB(1, 2, 3);
  b.m_crAxis = RGB(4, 5, 6);
  b.m_dTickValue = 2.5;
  b.m_bFlag = 0;
  b.m_bFontFlag = 1;
  b.m_nUnits = AXIS_UNITS_PPM;
  b.m_nBaseFontHeight = 30;
  b.m_lf.lfHeight = 30;
  a.m_nCleared1 = 5;
  a = b;
  EXPECT_EQ(RGB(1, 2, 3), a.m_crText);
  EXPECT_EQ(RGB(4, 5, 6), a.m_crAxis);
  EXPECT_EQ(2.5, a.m_dTickValue);
  EXPECT_EQ(0, a.m_bFlag);
  EXPECT_EQ(1, a.m_bFontFlag);
  EXPECT_TRUE(a.IsFloating());
  EXPECT_EQ(AXIS_UNITS_SECONDS, a.m_nUnits);
  EXPECT_EQ(14, a.m_nBaseFontHeight);
  EXPECT_EQ(14, a.m_lf.lfHeight);
  EXPECT_EQ(0, a.m_nCleared1);
}

TEST(ColourFont, LogFontFaceIsAlwaysTerminated) {
  LOGFONT lf;
  std::memset(&lf, 'x', sizeof(lf));
  lf.lfHeight = 20;
  CColourFont copied(lf);
  EXPECT_EQ(20, copied.m_lf.lfHeight);
  EXPECT_EQ(31u, std::strlen(copied.m_lf.lfFaceName));
  CColourFont longFace("A face name far longer than the thirty-one characters");
  EXPECT_EQ(31u, std::strlen(longFace.m_lf.lfFaceName));
}

TEST(TextLabel, AttachedLabelKeepsThePointUnderIt) {
  auto s = MakeSpectrum(2048);
  s->m_nLast = 2048;
  s->m_nRightPixel = 512;
  LOGFONT lf = CColourFont("Arial").GetLogFont();
  CTextLabel attached("peak", &lf, s.get(), RGB(0, 0, 255), TRUE, 100, 100);
  EXPECT_EQ(400, attached.m_x);
  EXPECT_EQ(lf.lfHeight, attached.m_nBaseHeight);
  EXPECT_EQ(100, attached.PointToPixel(attached.m_x));
  s->m_nFirst = 200;  // zoomed in: the label stays on its point
  s->m_nLast = 600;
  EXPECT_EQ(256, attached.PointToPixel(attached.m_x));

  CTextLabel loose("note", &lf, s.get(), 0, FALSE, 100, 120);
  EXPECT_EQ(100, loose.m_x);
  s->m_nRightPixel = s->m_nLeftPixel;  // no pixel extent: the number stays
  EXPECT_EQ(55, attached.PixelToPoint(55));
}

TEST(TextLabel, ExtremeGeometryFromAFileSaturates) {
  auto s = MakeSpectrum(2048);
  s->m_nFirst = INT_MIN;
  s->m_nLast = INT_MAX;
  s->m_nLeftPixel = INT_MIN;
  s->m_nRightPixel = INT_MAX;
  CTextLabel label("x", nullptr, s.get(), 0, FALSE, 0, 0);
  EXPECT_EQ(INT_MAX, label.PixelToPoint(INT_MAX));
  EXPECT_EQ(INT_MIN, label.PointToPixel(INT_MIN));
  s->m_nRightPixel = 1;
  s->m_nLeftPixel = 0;
  EXPECT_EQ(INT_MAX, label.PixelToPoint(INT_MAX));
}

TEST(AnalysisRecords, IntegralArraysAndRuntimeClasses) {
  auto s = MakeSpectrum(64);
  CIntegral in(s.get(), 10, 30, 77, RGB(255, 0, 0));
  ASSERT_EQ(10, in.m_n);
  ASSERT_NE(nullptr, in.m_pCurve);
  EXPECT_EQ(0.0, in.m_pBaselineValues[9]);
  EXPECT_EQ(1, in.m_bBaseline);
  // A reversed region sizes its arrays from the distance; an empty one and
  // an absurd one (from a file) get none.
  EXPECT_EQ(10, CIntegral(s.get(), 30, 10, 0, 0).m_n);
  EXPECT_EQ(nullptr, CIntegral(s.get(), 10, 10, 0, 0).m_pCurve);
  EXPECT_EQ(0, CIntegral(s.get(), -2147483647 - 1, 2147483647, 0, 0).m_n);

  for (const char* name : {"CPeakPicking", "CMeasureJ", "CIntegral", "CSpectrum"}) {
    CRuntimeClass* pClass = CRuntimeClass::FromName(name);
    ASSERT_NE(nullptr, pClass) << name;
    EXPECT_EQ(1u, pClass->m_wSchema);
    CObject* pObject = pClass->CreateObject();
    EXPECT_TRUE(pObject->IsKindOf(pClass));
    delete pObject;
  }
}

}  // namespace
