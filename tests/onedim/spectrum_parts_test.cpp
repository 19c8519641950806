// The objects a spectrum owns: axis scale, coloured font, text label,
// analysis records, processing state.
#include <gtest/gtest.h>

#include <cstring>

#include "onedim/display/AxisScale.h"
#include "onedim/display/ColourFont.h"
#include "onedim/display/TextLabel.h"
#include "onedim/processing/Integral.h"
#include "onedim/processing/MeasureJ.h"
#include "onedim/processing/PeakPicking.h"
#include "onedim/processing/ProcessingState.h"
#include "onedim/spectrum_test_util.h"

namespace {

TEST(AxisScale, DefaultsAndAssignment) {
  CAxisScale a;
  EXPECT_EQ(AXIS_UNITS_SECONDS, a.m_nUnits);
  EXPECT_EQ(14, a.m_lf.lfHeight);
  EXPECT_EQ(14, a.m_nBaseFontHeight);
  EXPECT_STREQ("Times New Roman", a.m_lf.lfFaceName);
  EXPECT_EQ(4, a.m_lf.lfOutPrecision);
  EXPECT_EQ(2, a.m_lf.lfQuality);
  EXPECT_EQ(0x22, a.m_lf.lfPitchAndFamily);
  EXPECT_EQ(1, a.m_bFlag);
  EXPECT_FALSE(a.IsFloating());

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
  a.m_nCleared2 = 6;
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
  EXPECT_EQ(0, a.m_nCleared2);
}

TEST(ColourFont, Defaults) {
  CColourFont f;
  EXPECT_EQ(-12, f.m_lf.lfHeight);
  EXPECT_EQ(400, f.m_lf.lfWeight);
  EXPECT_EQ(2, f.m_lf.lfQuality);
  EXPECT_EQ(18, f.m_lf.lfPitchAndFamily);
  EXPECT_EQ(0, f.m_lf.lfItalic);
  EXPECT_STREQ("Times New Roman", f.m_lf.lfFaceName);
  EXPECT_EQ(RGB(0, 0, 0), f.GetTextColour());

  CColourFont arial("Arial");
  EXPECT_STREQ("Arial", arial.m_lf.lfFaceName);
  EXPECT_EQ(-12, arial.m_lf.lfHeight);

  LOGFONT lf;
  std::memset(&lf, 'x', sizeof(lf));  // a face without terminator
  lf.lfHeight = 20;
  CColourFont copied(lf);
  EXPECT_EQ(20, copied.m_lf.lfHeight);
  EXPECT_EQ(31u, std::strlen(copied.m_lf.lfFaceName));
}

TEST(TextLabel, AttachedLabelKeepsThePointUnderIt) {
  auto s = MakeSpectrum(2048);
  s->m_nFirst = 0;
  s->m_nLast = 2048;
  s->m_nLeftPixel = 0;
  s->m_nRightPixel = 512;
  LOGFONT lf;
  std::memset(&lf, 0, sizeof(lf));
  lf.lfHeight = -16;
  std::strcpy(lf.lfFaceName, "Arial");
  CTextLabel attached("peak", &lf, s.get(), RGB(0, 0, 255), TRUE, 100, 100);
  EXPECT_EQ(400, attached.m_x);
  EXPECT_EQ(100, attached.m_y);
  EXPECT_EQ(1, attached.m_bAttached);
  EXPECT_EQ(-16, attached.m_nBaseHeight);
  EXPECT_EQ(TEXT_ALIGN_LEFT, attached.m_nAlign);
  EXPECT_STREQ("Arial", attached.m_lf.lfFaceName);
  EXPECT_EQ(100, attached.PointToPixel(attached.m_x));

  // Zooming keeps it on its point.
  s->m_nFirst = 200;
  s->m_nLast = 600;
  EXPECT_EQ(256, attached.PointToPixel(attached.m_x));

  CTextLabel loose("note", &lf, s.get(), 0, FALSE, 100, 120);
  EXPECT_EQ(100, loose.m_x);
  EXPECT_EQ(0, loose.m_bAttached);

  CTextLabel none;
  EXPECT_TRUE(none.m_strText.IsEmpty());
  EXPECT_EQ(100, none.m_x);
  EXPECT_EQ(100, none.m_y);
  EXPECT_EQ(7, none.PixelToPoint(7));

  // An empty pixel extent leaves the number as it is.
  s->m_nRightPixel = s->m_nLeftPixel;
  EXPECT_EQ(55, attached.PixelToPoint(55));
}

TEST(AnalysisRecords, ConstructionAndRuntimeClasses) {
  CPeakPicking manual(-1, -1, -1.0f);
  EXPECT_EQ(-1, manual.m_nStart);
  EXPECT_EQ(-1, manual.m_nEnd);
  EXPECT_EQ(-1.0f, manual.m_fThreshold);
  EXPECT_EQ(0, manual.GetCount());

  CMeasureJ j(42);
  EXPECT_EQ(42, j.m_nReference);
  EXPECT_EQ(0, j.m_arrPartners.GetSize());
  EXPECT_EQ(0, j.m_arrShown.GetSize());

  auto s = MakeSpectrum(64);
  CIntegral in(s.get(), 10, 30, 77, RGB(255, 0, 0));
  EXPECT_EQ(10, in.m_n);
  ASSERT_NE(nullptr, in.m_pCurve);
  ASSERT_NE(nullptr, in.m_pBaselineValues);
  EXPECT_EQ(0.0, in.m_pBaselineValues[9]);
  EXPECT_EQ(1, in.m_bBaseline);
  EXPECT_EQ(0, in.m_bAutoCorrect);
  EXPECT_EQ(0, in.m_bThresholding);
  EXPECT_EQ(77, in.m_nBase);
  EXPECT_EQ(s.get(), in.m_pSpectrum);

  // A reversed region sizes its arrays from the distance; an empty one and
  // an absurd one from a file get none.
  CIntegral reversed(s.get(), 30, 10, 0, 0);
  EXPECT_EQ(10, reversed.m_n);
  CIntegral empty(s.get(), 10, 10, 0, 0);
  EXPECT_EQ(0, empty.m_n);
  EXPECT_EQ(nullptr, empty.m_pCurve);
  CIntegral absurd(s.get(), -2147483647 - 1, 2147483647, 0, 0);
  EXPECT_EQ(0, absurd.m_n);

  const char* const names[] = {"CPeakPicking", "CMeasureJ", "CIntegral", "CSpectrum"};
  for (const char* name : names) {
    CRuntimeClass* pClass = CRuntimeClass::FromName(name);
    ASSERT_NE(nullptr, pClass) << name;
    EXPECT_EQ(1u, pClass->m_wSchema);
    CObject* pObject = pClass->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(pClass));
    delete pObject;
  }
}

TEST(ProcessingState, PresetsAndCopy) {
  CProcessingState a;
  for (int i = 0; i < 5; i++) {
    EXPECT_EQ(128, a.m_anFirst[i]);
    EXPECT_EQ(4, a.m_anSecond[i]);
  }
  a.m_bMagnitude = 1;
  a.m_bPower = 1;
  a.m_anFirst[2] = 9;
  CProcessingState b(a);
  EXPECT_EQ(1, b.m_bMagnitude);
  EXPECT_EQ(1, b.m_bPower);
  EXPECT_EQ(128, b.m_anFirst[2]);
}

}  // namespace
