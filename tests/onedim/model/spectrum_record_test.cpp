// The spectrum record: parameter block, construction and copying, units,
// group delay, buffer operations.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

#include "framework/base/Exception.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/TextLabel.h"
#include "onedim/model/Integral.h"
#include "onedim/model/MeasureJ.h"
#include "onedim/model/PeakPicking.h"
#include "onedim/model/WindowFunction.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"
#include "tests/onedim/model/spectrum_test_util.h"

namespace {

std::vector<float> DataOf(const CSpectrum& s) {
  return std::vector<float>(s.m_pData, s.m_pData + s.m_paramsA.td);
}

TEST(SpectrumParams, StartsAtZeroAndCopiesEverythingButTheMap) {
  CSpectrumParams p;
  EXPECT_EQ(0,
            p.td | p.DSPFVS | p.DECIM | p.byteorder | p.reserved2 | p.reserved3 | p.aqmode | p.acquiredTd | p.bComplex |
                p.bConjugate);
  EXPECT_EQ(0.0, p.sw + p.aq + p.sf + p.offset);
  EXPECT_EQ(8, p.names.GetCount());
  CString value;
  ASSERT_TRUE(p.names.Lookup("sw", value));
  EXPECT_STREQ("Spectral Width", value);
  ASSERT_TRUE(p.names.Lookup("td", value));
  EXPECT_STREQ("Time domain", value);

  p.reserved2 = 8;
  p.acquiredTd = 1024;
  p.td = 2048;
  p.offset = -12.5;
  p.bConjugate = 1;
  p.title = "ethyl benzene";
  p.names.RemoveKey("sw");
  CSpectrumParams target;
  target.names.RemoveKey("td");
  target.CopyFrom(p);
  EXPECT_EQ(8, target.reserved2);
  EXPECT_EQ(1024, target.acquiredTd);
  EXPECT_EQ(2048, target.td);
  EXPECT_EQ(-12.5, target.offset);
  EXPECT_EQ(1, target.bConjugate);
  EXPECT_STREQ("ethyl benzene", target.title);
  EXPECT_TRUE(target.names.Lookup("sw", value));
  EXPECT_FALSE(target.names.Lookup("td", value));
}

TEST(Spectrum, ConvertUnits) {
  auto s = MakeSpectrum(1024, {}, 5000.0, 400.0, 10.0);
  EXPECT_DOUBLE_EQ(5000.0, s->ConvertUnits(-10.0, AXIS_UNITS_HZ));
  EXPECT_NEAR(0.0, s->ConvertUnits(1024.0 - 10.0, AXIS_UNITS_HZ), 1e-9);
  EXPECT_DOUBLE_EQ(2.0, s->ConvertUnits(5.0, AXIS_UNITS_POINTS));
  EXPECT_DOUBLE_EQ(s->ConvertUnits(100.0, AXIS_UNITS_HZ) / 400.0, s->ConvertUnits(100.0, AXIS_UNITS_PPM));
  EXPECT_EQ(0.0, s->ConvertUnits(100.0, 4));
  EXPECT_EQ(0.0, s->ConvertUnits(100.0, -1));

  // Hz and ppm fall from left to right; the acquisition time does not enter.
  EXPECT_EQ(0.0, s->m_paramsA.aq);
  EXPECT_EQ(0.0, s->ConvertUnits(500.0, AXIS_UNITS_SECONDS));
  EXPECT_GT(s->ConvertUnits(100.0, AXIS_UNITS_HZ), s->ConvertUnits(200.0, AXIS_UNITS_HZ));
  EXPECT_GT(s->ConvertUnits(100.0, AXIS_UNITS_PPM), s->ConvertUnits(200.0, AXIS_UNITS_PPM));

  s->m_paramsA.aq = 0.1024;
  EXPECT_DOUBLE_EQ(0.05, s->ConvertUnits(500.0, AXIS_UNITS_SECONDS));

  // Zero td or sf give 0 rather than a division by zero.
  s->m_paramsA.sf = 0.0;
  EXPECT_EQ(0.0, s->ConvertUnits(100.0, AXIS_UNITS_PPM));
  s->m_paramsA.td = 0;
  EXPECT_EQ(0.0, s->ConvertUnits(100.0, AXIS_UNITS_HZ));
  EXPECT_EQ(0.0, s->ConvertUnits(100.0, AXIS_UNITS_SECONDS));
  s->m_paramsA.td = 1024;
  EXPECT_EQ(2147483647 / 2, s->ConvertUnits(1e30, AXIS_UNITS_POINTS));
}

TEST(Spectrum, GroupDelayTable) {
  CSpectrum s;
  struct {
    int decim, dspfvs;
    double delay;
  } cases[] = {{2, 10, 44.75},      {2, 11, 46.0},  {2, 12, 46.311},     {3, 12, 36.53},      {6, 10, 59.0833},
               {128, 12, 72.524},   {192, 12, 0.0}, {2048, 10, 70.4924}, {2048, 11, 72.0313}, {2048, 12, 0.0},
               {1536, 11, 71.9167}, {5, 10, 0.0},   {5, 11, 0.0},        {5, 12, 0.0},        {2, 9, 0.0},
               {2, 13, 0.0},        {0, 0, 0.0},    {2, INT_MIN, 0.0},   {2, INT_MIN + 9, 0.0},
               {2, INT_MAX, 0.0}};
  for (const auto& c : cases) {
    s.m_paramsA.DECIM = c.decim;
    s.m_paramsA.DSPFVS = c.dspfvs;
    EXPECT_EQ(c.delay, s.GetGroupDelay()) << c.decim << "/" << c.dspfvs;
  }
}

// Firmware the table does not know states its delay as GRPDLY; the table
// wins where it has an entry, and a GRPDLY no rotation of the data can take
// counts as none.
TEST(Spectrum, GroupDelayFromGrpdlyWhereTheTableHasNone) {
  CSpectrum s;
  const double nan = std::nan("");
  struct {
    int decim, dspfvs, td;
    double grpdly, delay;
  } cases[] = {{725, 21, 32768, 76.0, 76.0},     {5544, 20, 8192, 67.985, 67.985}, {24, 10, 16384, 76.0, 61.0208},
               {24, 10, 16384, -1.0, 61.0208},   {725, 21, 32768, 0.0, 0.0},       {725, 21, 32768, -1.0, 0.0},
               {725, 21, 32768, nan, 0.0},       {725, 21, 32768, 1e300, 0.0},     {725, 21, 152, 76.0, 0.0},
               {725, 21, 154, 76.0, 76.0},       {2048, 12, 32768, 72.0, 72.0}};
  for (const auto& c : cases) {
    s.m_paramsA.DECIM = c.decim;
    s.m_paramsA.DSPFVS = c.dspfvs;
    s.m_paramsA.td = c.td;
    s.m_paramsA.GRPDLY = c.grpdly;
    EXPECT_EQ(c.delay, s.GetGroupDelay()) << c.decim << "/" << c.dspfvs << " GRPDLY " << c.grpdly << " td " << c.td;
  }
  // It travels with the parameters.
  CSpectrumParams copy;
  s.m_paramsA.GRPDLY = 67.985;
  copy.CopyFrom(s.m_paramsA);
  EXPECT_EQ(67.985, copy.GRPDLY);
}

TEST(Spectrum, PowerOfTwoSize) {
  CSpectrum s;
  const int cases[][2] = {{3000, 2048}, {4096, 4096}, {4097, 4096}, {2, 2}, {3, 2}, {1, 0}, {0, 0}, {-8, 0}};
  for (const auto& c : cases) {
    s.m_paramsA.td = c[0];
    EXPECT_EQ(c[1], s.GetPowerOfTwoSize()) << c[0];
  }
}

TEST(Spectrum, ZeroFillGrowsAllBuffersAndScalesTheOffset) {
  auto s = MakeSpectrum(
      1024, [](int i) { return (float)(i + 1); }, 5000.0, 400.0, 3.0);
  s->m_pWindow = new CWindowFunction(s->m_pRawData, s->m_pWeighted, &s->m_paramsA.td, &s->m_paramsA.sw);
  s->m_nFirst = 100;
  s->m_nLast = 300;
  s->m_paramsA.aq = 1024 / (2 * 5000.0);
  ASSERT_TRUE(s->ZeroFill(4096));
  EXPECT_EQ(4096, s->m_paramsA.td);
  EXPECT_DOUBLE_EQ(12.0, s->m_paramsA.offset);
  // The time axis covers the new points: the last one at 4096 floats over 5000 Hz.
  EXPECT_DOUBLE_EQ(4096 / (2 * 5000.0), s->ConvertUnits(4096, AXIS_UNITS_SECONDS));
  // The acquisition lasted as long as it did: the zeros were not acquired.
  EXPECT_DOUBLE_EQ(1024 / (2 * 5000.0), s->GetAcquisitionTime());
  EXPECT_EQ(0, s->m_nFirst);
  EXPECT_EQ(4096, s->m_nLast);
  for (int i = 0; i < 1024; i++) {
    ASSERT_EQ((float)(i + 1), s->m_pData[i]);
    ASSERT_EQ((float)(i + 1), s->m_pRawData[i]);
  }
  for (int i = 1024; i < 4096; i++) {
    ASSERT_EQ(0.0f, s->m_pData[i]);
    ASSERT_EQ(0.0f, s->m_pRawData[i]);
    ASSERT_EQ(0.0f, s->m_pWeighted[i]);
  }
  // The window function follows the new buffers.
  EXPECT_EQ(s->m_pRawData, s->m_pWindow->m_pSource);
  EXPECT_EQ(s->m_pWeighted, s->m_pWindow->m_pTarget);

  // Grown again, cut into the zeros, and cut into the acquired points: the
  // acquisition lasts until its last point still held.
  const struct {
    int td, nAcquired;
  } fills[] = {{8192, 1024}, {2048, 1024}, {512, 512}, {1024, 512}};
  for (const auto& fill : fills) {
    ASSERT_TRUE(s->ZeroFill(fill.td));
    EXPECT_DOUBLE_EQ(fill.nAcquired / (2 * 5000.0), s->GetAcquisitionTime()) << fill.td;
  }
  ASSERT_TRUE(s->ZeroFill(512));
  EXPECT_EQ(512, s->m_paramsA.td);
  EXPECT_EQ(0, s->m_paramsA.acquiredTd) << "every point is acquired";
  EXPECT_DOUBLE_EQ(1.5, s->m_paramsA.offset);
  EXPECT_DOUBLE_EQ(512 / (2 * 5000.0), s->ConvertUnits(512, AXIS_UNITS_SECONDS));
  EXPECT_EQ(512.0f, s->m_pData[511]);
  EXPECT_FALSE(s->ZeroFill(0));
  EXPECT_FALSE(s->ZeroFill(513));
  EXPECT_EQ(512, s->m_paramsA.td);
}

int g_nAllocationsLeft = 0;
bool CountedAllocation(std::size_t) {
  return g_nAllocationsLeft-- > 0;
}

TEST(Spectrum, ZeroFillThatRunsOutOfMemoryChangesNothing) {
  for (int nSucceeding = 0; nSucceeding < 3; nSucceeding++) {
    auto s = MakeSpectrum(
        1024, [](int i) { return (float)i; }, 5000.0, 400.0, 3.0);
    s->m_nFirst = 100;
    s->m_nLast = 300;
    float* pData = s->m_pData;
    float* pRaw = s->m_pRawData;
    float* pWeighted = s->m_pWeighted;
    g_nAllocationsLeft = nSucceeding;
    CSpectrum::AllocationHook pfnOld = CSpectrum::SetAllocationHook(CountedAllocation);
    const char* pszMessage = nullptr;
    BOOL bDone = s->ZeroFill(4096, &pszMessage);
    CSpectrum::SetAllocationHook(pfnOld);

    EXPECT_FALSE(bDone);
    EXPECT_STREQ("Memory exhausted. \nZero Filling aborted", pszMessage);
    EXPECT_EQ(1024, s->m_paramsA.td);
    EXPECT_EQ(3.0, s->m_paramsA.offset);
    EXPECT_EQ(100, s->m_nFirst);
    EXPECT_EQ(300, s->m_nLast);
    EXPECT_EQ(pData, s->m_pData);
    EXPECT_EQ(pRaw, s->m_pRawData);
    EXPECT_EQ(pWeighted, s->m_pWeighted);
    EXPECT_EQ(1023.0f, s->m_pData[1023]);
  }
}

CString g_strReported;
int CaptureReport(LPCSTR pszText, UINT) {
  g_strReported = pszText;
  return IDOK;
}

TEST(Spectrum, ZeroFillReportsRunningOutOfMemoryItselfWhenNotAsked) {
  auto s = MakeSpectrum(8);
  g_nAllocationsLeft = 0;
  CSpectrum::AllocationHook pfnOld = CSpectrum::SetAllocationHook(CountedAllocation);
  PFNREPORTERROR pfnOldReport = SetReportErrorHook(CaptureReport);
  EXPECT_FALSE(s->ZeroFill(16));
  SetReportErrorHook(pfnOldReport);
  CSpectrum::SetAllocationHook(pfnOld);
  EXPECT_STREQ("Memory exhausted. \nZero Filling aborted", g_strReported);
  EXPECT_EQ(8, s->m_paramsA.td);
}

TEST(Spectrum, CopyTakesDataAndDisplayButNoAnalysisObjects) {
  auto s = MakeSpectrum(64, [](int i) { return (float)(i * 3); });
  s->m_rectPlot = {10, 300, 600, 500};
  s->m_nFirst = 4;
  s->m_nPivot = 12;
  s->m_dPhase0 = 1.0;
  s->m_nIntegralScaleNum = 7;
  s->m_bMeasuringJ = 1;
  s->m_State.m_bMagnitude = 1;
  s->m_Scale.m_crAxis = RGB(9, 9, 9);
  s->m_Scale.m_nUnits = AXIS_UNITS_PPM;
  s->m_arrPeaks.Add(new CPeakPicking(0, 10, 1.0f));
  s->m_arrCouplings.Add(new CMeasureJ(4));
  s->m_arrIntegrals.Add(new CIntegral(s.get(), 0, 10, 50, RGB(255, 0, 0)));
  s->m_arrLabels.Add(new CTextLabel("x", nullptr, s.get(), 0, FALSE, 10, 10));
  s->m_pSelectedIntegral = static_cast<CIntegral*>(s->m_arrIntegrals.GetAt(0));
  s->m_arrObjects.Add(new CTextLabel);
  s->m_pAux = CSpectrum::AllocateFloats(64);  // all freed with s (leaks show under ASan)

  CSpectrum copy(*s);
  ASSERT_NE(nullptr, copy.m_pData);
  EXPECT_NE(s->m_pData, copy.m_pData);
  EXPECT_EQ(DataOf(*s), DataOf(copy));
  EXPECT_EQ(0, std::memcmp(s->m_pRawData, copy.m_pRawData, 64 * sizeof(float)));
  EXPECT_EQ(64, copy.m_paramsB.td);

  // The band moves 100 right and 100 up; the scale floats at its bottom
  // and keeps its own units.
  EXPECT_EQ(110, copy.m_rectPlot.left);
  EXPECT_EQ(200, copy.m_rectPlot.top);
  EXPECT_EQ(700, copy.m_rectPlot.right);
  EXPECT_EQ(400, copy.m_rectPlot.bottom);
  EXPECT_TRUE(copy.m_Scale.IsFloating());
  EXPECT_EQ(400, copy.m_Scale.GetPosition());
  EXPECT_EQ(RGB(9, 9, 9), copy.m_Scale.m_crAxis);
  EXPECT_EQ(AXIS_UNITS_SECONDS, copy.m_Scale.m_nUnits);

  EXPECT_EQ(4, copy.m_nFirst);
  EXPECT_EQ(12, copy.m_nPivot);
  EXPECT_EQ(1, copy.m_State.m_bMagnitude);
  EXPECT_EQ(0, copy.m_bMeasuringJ);  // no measurement to continue in the copy
  EXPECT_EQ(100, copy.m_nLeftPixel);
  EXPECT_EQ(400, copy.m_nRightPixel);
  EXPECT_EQ(0.0, copy.m_dPhase0);
  EXPECT_EQ(-1, copy.m_nIntegralScaleNum);
  EXPECT_EQ(nullptr, copy.m_pSelectedIntegral);
  EXPECT_EQ(0, copy.m_arrPeaks.GetSize() + copy.m_arrCouplings.GetSize() + copy.m_arrIntegrals.GetSize() +
                   copy.m_arrLabels.GetSize());

  ASSERT_NE(nullptr, copy.m_pWindow);
  EXPECT_EQ(copy.m_pRawData, copy.m_pWindow->m_pSource);
  EXPECT_EQ(copy.m_pWeighted, copy.m_pWindow->m_pTarget);
}

TEST(Spectrum, CopyAllocatesTheBuffersTheSourceLacks) {
  CSpectrumParams p;
  p.td = 16;
  CSpectrum s(p);
  s.m_pData = CSpectrum::AllocateFloats(16);
  s.m_pData[3] = 5.0f;
  CSpectrum copy(s);
  EXPECT_EQ(5.0f, copy.m_pData[3]);
  EXPECT_EQ(std::vector<float>(16, 0.0f), std::vector<float>(copy.m_pRawData, copy.m_pRawData + 16));
  EXPECT_EQ(std::vector<float>(16, 0.0f), std::vector<float>(copy.m_pWeighted, copy.m_pWeighted + 16));
}

TEST(Spectrum, CopyWithoutMemoryThrowsAndLeaksNothing) {
  auto s = MakeSpectrum(32);
  g_nAllocationsLeft = 2;
  CSpectrum::AllocationHook pfnOld = CSpectrum::SetAllocationHook(CountedAllocation);
  bool bThrown = false;
  try {
    CSpectrum copy(*s);
  } catch (CMemoryException* e) {
    bThrown = true;
    e->Delete();
  }
  CSpectrum::SetAllocationHook(pfnOld);
  EXPECT_TRUE(bThrown);
}

TEST(Spectrum, ExtremesAndNormalisation) {
  auto s = MakeSpectrum(10, [](int i) {
    const float v[] = {1, 100, -7, 0, 3, 0, -7, 0, 3, 0};
    return v[i];
  });
  s->FindMaximum();  // the first of equal magnitudes, stored as a magnitude
  EXPECT_EQ(7.0f, s->m_fMaxValue);
  EXPECT_EQ(2, s->m_nMaxIndex);
  EXPECT_EQ(8, s->GetMaxIndex());  // the last of equal values
  EXPECT_EQ(6, s->GetMinIndex());

  s->Normalize();
  EXPECT_EQ(-1.0f, s->m_pData[2]);
  EXPECT_FLOAT_EQ(100.0f / 7.0f, s->m_pData[1]);

  auto zero = MakeSpectrum(4);
  zero->Normalize();
  EXPECT_EQ(std::vector<float>(4, 0.0f), DataOf(*zero));
  auto empty = MakeSpectrum(0);
  empty->FindMaximum();
  EXPECT_EQ(0.0f, empty->m_fMaxValue);
  EXPECT_EQ(0, empty->GetMaxIndex());
}

TEST(Spectrum, ReverseMirrorsWholePoints) {
  for (int td : {0, 2, 8, 10}) {
    auto s = MakeSpectrum(td, [](int i) { return (float)i; });
    s->Reverse();
    const int n = td / 2;
    for (int k = 0; k < n; k++) {
      EXPECT_EQ((float)(2 * (n - 1 - k)), s->m_pData[2 * k]) << td;
      EXPECT_EQ((float)(2 * (n - 1 - k) + 1), s->m_pData[2 * k + 1]) << td;
    }
  }
}

TEST(Spectrum, RotateIsACircularLeftRotationByPoints) {
  auto s = MakeSpectrum(10, [](int i) { return (float)i; });
  ASSERT_TRUE(s->Rotate(2));
  const float expected[] = {4, 5, 6, 7, 8, 9, 0, 1, 2, 3};
  for (int i = 0; i < 10; i++)
    EXPECT_EQ(expected[i], s->m_pData[i]);
  EXPECT_FALSE(s->Rotate(5));
  EXPECT_FALSE(s->Rotate(-1));
  EXPECT_TRUE(s->Rotate(0));
  EXPECT_EQ(4.0f, s->m_pData[0]);
  EXPECT_FALSE(MakeSpectrum(0)->Rotate(0));
}

TEST(Spectrum, PixelMapping) {
  auto s = MakeSpectrum(4, [](int i) { return (float)(i * 10); });
  s->m_rectPlot = {0, 100, 500, 301};  // zero line at 200
  s->m_fVerticalScale = 100.0f;
  s->m_fIntensityStep = 1.0f;
  s->m_fMaxValue = 50.0f;  // display data set by hand, not from the data
  s->m_bDataChanged = 0;
  EXPECT_EQ(200, s->PointToY(0));
  EXPECT_EQ(160, s->PointToY(2));
  EXPECT_EQ(200 - 60, s->ValueToY(30.0f));
  EXPECT_DOUBLE_EQ(30.0, s->YToValue(140.0));
  EXPECT_EQ(200, s->PointToY(4));  // outside the data: the zero line
  EXPECT_EQ(200, s->PointToY(-2));

  // A zero largest value counts as 1; huge values stop at the int range.
  s->m_fMaxValue = 0.0f;
  EXPECT_EQ(200 - 100 * 20, s->PointToY(2));
  EXPECT_EQ(-2147483647 - 1, s->ValueToY(3e38f));
  EXPECT_EQ(2147483647, s->ValueToY(-3e38f));
  EXPECT_EQ(0, s->ValueToY(std::nanf("")));
}

TEST(Spectrum, SwapBytes32) {
  int words[] = {0x01020304, (int)0xA0B0C0D0u, 0};
  SwapBytes32(words, 3);
  EXPECT_EQ(0x04030201, words[0]);
  EXPECT_EQ((int)0xD0C0B0A0u, words[1]);
  EXPECT_EQ(0, words[2]);
  SwapBytes32(nullptr, 3);
}

}  // namespace
