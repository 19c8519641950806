// The document core without windows: refreshes, colours, the current
// spectrum, pixel mapping, the dispatcher, the values left for the nD
// program, forgetting deleted objects, the data buffer and the history.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/onedim/document/document_test_host.h"
#include "onedim/model/Integral.h"
#include "onedim/model/WindowFunction.h"

namespace {

class DocumentTest : public ::testing::Test {
 protected:
  CTestHost m_host;
  CBrivaneProDoc m_doc{&m_host};
};

TEST_F(DocumentTest, TenAddedSpectraCycleNineColoursAndStack) {
  for (int i = 0; i < 10; i++)
    AddTestSpectrum(m_doc, 16);
  m_doc.m_pCurrent = m_doc.GetSpectrumAt(4);
  m_doc.RefreshAfterAdd();
  const COLORREF expected[] = {RGB(0, 0, 0),   RGB(255, 0, 0),   RGB(192, 192, 192), RGB(0, 128, 0),   RGB(0, 0, 255),
                               RGB(0, 255, 0), RGB(0, 255, 255), RGB(255, 255, 0),   RGB(255, 0, 255), RGB(0, 0, 0)};
  for (int i = 0; i < 10; i++) {
    CSpectrum* s = m_doc.GetSpectrumAt(i);
    if (i != 4) {
      EXPECT_EQ(s->m_crTrace, expected[i]) << i;
      EXPECT_EQ(s->m_Scale.m_crAxis, expected[i]) << i;
    }
    int m = 600 * (i + 1) / 11;
    EXPECT_EQ(s->m_rectPlot.top, m + 5);
    EXPECT_EQ(s->m_rectPlot.bottom, m - 5);
    EXPECT_EQ(s->m_rectPlot.right, 800);
    EXPECT_EQ(s->m_Scale.GetPosition(), m + 5);
    EXPECT_TRUE(s->m_Scale.IsFloating());
    EXPECT_EQ(s->m_nLeftPixel, 0);
    EXPECT_EQ(s->m_nRightPixel, 800);
    EXPECT_EQ(s->m_nFirst, 0);
    EXPECT_EQ(s->m_nLast, 16);
    EXPECT_DOUBLE_EQ(s->m_paramsA.aq, 16 / (2 * 5000.0));
    EXPECT_NE(s->m_pWindow, nullptr);
  }
  // The current spectrum takes the default colour.
  EXPECT_EQ(m_doc.m_pCurrent->m_crTrace, RGB(0, 0, 255));
  EXPECT_EQ(m_doc.m_nSpectra, 10);
  EXPECT_EQ(m_host.m_nRulerLeft, 0);
  EXPECT_EQ(m_host.m_nRulerRight, 100);
  EXPECT_EQ(m_host.m_nUnitsEntry, 0);
  EXPECT_TRUE(m_host.m_bModified);
  EXPECT_GT(m_host.m_nUpdates, 0);
}

TEST_F(DocumentTest, SingleAddedSpectrumHasASolidScale) {
  AddTestSpectrum(m_doc, 8);
  m_doc.RefreshAfterAdd();
  EXPECT_FALSE(m_doc.m_pCurrent->m_Scale.IsFloating());
}

TEST_F(DocumentTest, RefreshReplacesTheWeightedCopyWithAZeroedOne) {
  CSpectrum* s = AddTestSpectrum(m_doc, 8);
  m_doc.RefreshAfterAdd();
  for (int i = 0; i < 8; i++)
    s->m_pWeighted[i] = 5.0f;
  CWindowFunction* pWindow = s->m_pWindow;
  m_doc.RefreshAfterAdd();  // the old buffer is freed (the leak checker watches)
  m_doc.RefreshAfterLoad();
  for (int i = 0; i < 8; i++)
    EXPECT_EQ(s->m_pWeighted[i], 0.0f);
  EXPECT_EQ(s->m_pWindow, pWindow);
  EXPECT_EQ(pWindow->m_pTarget, s->m_pWeighted);
}

TEST_F(DocumentTest, BackgroundEqualToATraceGivesItsComplement) {
  m_host.m_settings.WriteProfileInt("Display", "BackGround", (int)RGB(255, 0, 0));
  AddTestSpectrum(m_doc, 8);
  AddTestSpectrum(m_doc, 8);
  m_doc.m_pCurrent = m_doc.GetSpectrumAt(0);
  m_doc.RefreshAfterAdd();
  EXPECT_EQ(m_doc.m_crBackground, RGB(255, 0, 0));
  EXPECT_EQ(m_doc.GetSpectrumAt(1)->m_crTrace, RGB(0, 255, 255));
  EXPECT_EQ(m_doc.GetSpectrumAt(1)->m_Scale.m_crAxis, RGB(0, 255, 255));
  EXPECT_TRUE(m_host.m_messages.empty());  // the refresh corrects silently

  m_doc.GetSpectrumAt(0)->m_Scale.m_crText = RGB(255, 0, 0);
  m_doc.FixColourConflicts(TRUE);
  EXPECT_EQ(m_doc.GetSpectrumAt(0)->m_Scale.m_crText, RGB(0, 255, 255));
  ASSERT_EQ(m_host.m_messages.size(), 1u);
  EXPECT_EQ(m_host.m_messages[0],
            "There is a conflict between the background color\nand some foreground trace\n"
            "Brivane has automatically corrected this conflict");
  m_doc.FixColourConflicts(TRUE);  // nothing left to correct
  EXPECT_EQ(m_host.m_messages.size(), 1u);
}

TEST_F(DocumentTest, DisplaySettingsComeFromTheProfileOrDefaults) {
  m_doc.m_nShowOnlyCurrentScale = 1;
  m_doc.ReadDisplaySettings();
  const CIntegrationSettings& integ = m_host.m_app.m_Integration;
  EXPECT_EQ(m_doc.m_crBackground, RGB(255, 255, 255));
  EXPECT_EQ(m_doc.m_crDefaultTrace, RGB(0, 0, 255));
  EXPECT_EQ(integ.bOnTop, 1);
  EXPECT_EQ(integ.bRectangle, 1);
  EXPECT_EQ(integ.nWidth, 1);
  EXPECT_EQ(integ.nDistance, 20);
  EXPECT_EQ(integ.bVertical, 0);
  EXPECT_EQ(std::string((LPCSTR)integ.strFont), "Arial");
  EXPECT_EQ(m_doc.m_nShowOnlyCurrentScale, 0);

  CMemorySettings& p = m_host.m_settings;
  p.WriteProfileInt("Display", "Spectrum Color", (int)RGB(1, 2, 3));
  p.WriteProfileInt("Integration", "OnTop", 0);
  p.WriteProfileInt("Integration", "ShowCurve", 5);
  p.WriteProfileInt("Integration", "Width", 3);
  p.WriteProfileInt("Integration", "Distance", 0);
  p.WriteProfileInt("Integration", "Vertical", 1);
  p.WriteProfileString("Integration", "Font", "-12,0,0,0,400,0,0,0,0,0,0,2,18,Arial,255");
  m_doc.ReadDisplaySettings();
  EXPECT_EQ(m_doc.m_crDefaultTrace, RGB(1, 2, 3));
  EXPECT_EQ(integ.bOnTop, 0);
  EXPECT_EQ(integ.bShowCurve, 1);
  EXPECT_EQ(integ.nWidth, 3);
  EXPECT_EQ(integ.nDistance, 0);
  EXPECT_EQ(integ.bVertical, 1);

  AddTestSpectrum(m_doc, 8);
  m_doc.RefreshAfterAdd();
  EXPECT_EQ(m_doc.m_pCurrent->m_nIntegralsOnTop, 0);
  EXPECT_EQ(m_doc.m_pCurrent->m_nIntegralLineWidth, 3);
  EXPECT_EQ(m_doc.m_pCurrent->m_bVerticalIntegralLabels, 1);
  EXPECT_STREQ(m_doc.m_pCurrent->m_IntegralFont.m_lf.lfFaceName, "Arial");
  EXPECT_EQ(m_doc.m_pCurrent->m_IntegralFont.GetTextColour(), 255u);

  // The default text is a bare face name: the other values stay.
  p.WriteProfileString("Integration", "Font", "Courier New");
  m_doc.RefreshAfterAdd();
  EXPECT_STREQ(m_doc.m_pCurrent->m_IntegralFont.m_lf.lfFaceName, "Courier New");
  EXPECT_EQ(m_doc.m_pCurrent->m_IntegralFont.m_lf.lfHeight, -12);
}

TEST_F(DocumentTest, RefreshAfterLoadKeepsTheStoredGeometry) {
  CSpectrum* s = AddTestSpectrum(
      m_doc, 8, [](int) { return 1.0f; }, 0.0);
  s->m_nLeftPixel = 30;
  s->m_nRightPixel = 700;
  s->m_nFirst = 2;
  s->m_nLast = 6;
  s->m_crTrace = RGB(5, 5, 5);
  s->m_Scale.m_nUnits = AXIS_UNITS_HZ;
  m_doc.RefreshAfterLoad();
  EXPECT_EQ(s->m_rectPlot.left, 30);
  EXPECT_EQ(s->m_rectPlot.right, 700);
  EXPECT_EQ(s->m_nFirst, 2);
  EXPECT_EQ(s->m_crTrace, RGB(5, 5, 5));
  EXPECT_EQ(s->m_paramsA.aq, 0.0);  // no spectral width, no acquisition time
  EXPECT_EQ(m_host.m_nUnitsEntry, 2);
  EXPECT_EQ(m_doc.m_nSpectra, 1);
}

TEST_F(DocumentTest, CurrentSpectrumSetsRulerScrollBarScalesAndUnits) {
  CSpectrum* a = AddTestSpectrum(m_doc, 1024);
  CSpectrum* b = AddTestSpectrum(m_doc, 1024);
  m_doc.RefreshAfterAdd();
  m_doc.SetCurrentSpectrum(nullptr);  // ignored
  EXPECT_EQ(m_doc.m_pCurrent, b);

  b->m_Scale.SetFloating(false);
  a->m_nLeftPixel = 200;
  a->m_nRightPixel = 600;
  a->m_nFirst = 100;
  a->m_nLast = 300;
  a->m_bPhaseDisplay = 1;
  a->m_Scale.m_nUnits = AXIS_UNITS_PPM;
  m_doc.m_nShowOnlyCurrentScale = 1;
  m_doc.SetCurrentSpectrum(a);
  EXPECT_EQ(m_doc.m_pCurrent, a);
  EXPECT_EQ(m_host.m_nRulerLeft, 25);
  EXPECT_EQ(m_host.m_nRulerRight, 75);
  EXPECT_EQ(m_host.m_nScrollMax, 1024);
  EXPECT_EQ(m_host.m_nScrollPage, 200);
  EXPECT_EQ(m_host.m_nScrollPos, 100);
  EXPECT_TRUE(m_host.m_bScrollVisible);
  EXPECT_EQ(m_host.m_nUnitsEntry, 1);
  EXPECT_FALSE(a->m_Scale.IsFloating());  // the previous current's solid scale
  EXPECT_TRUE(b->m_Scale.IsFloating());
  EXPECT_EQ(a->m_bShowScale, 1);
  EXPECT_EQ(b->m_bShowScale, 0);
  EXPECT_EQ(a->m_bPhaseDisplay, 0);

  const int units[] = {AXIS_UNITS_POINTS, AXIS_UNITS_SECONDS, AXIS_UNITS_HZ};
  const int entries[] = {3, 0, 2};
  for (int i = 0; i < 3; i++) {
    b->m_Scale.m_nUnits = units[i];
    m_doc.SetCurrentSpectrum(b);
    EXPECT_EQ(m_host.m_nUnitsEntry, entries[i]);
    EXPECT_FALSE(m_host.m_bScrollVisible);
  }

  m_host.m_bArithmeticBar = TRUE;
  m_doc.m_Arithmetic.m_pB = a;
  m_doc.m_Arithmetic.m_fFactorB = 0.75f;
  m_doc.SetCurrentSpectrum(a);
  EXPECT_EQ(m_host.m_strFactor, "0.75");
  EXPECT_EQ(m_host.m_nFactorPos, 75);
}

TEST_F(DocumentTest, LeavingAHoverListClearsTheCurrentSpectrumsMarksOnly) {
  m_doc.ClearHoverMarks();  // no spectrum: the views still redraw
  EXPECT_EQ(m_host.m_nUpdates, 1);
  CSpectrum* a = AddTestSpectrum(m_doc, 16);
  CSpectrum* b = AddTestSpectrum(m_doc, 16);
  m_doc.m_pCurrent = a;
  a->m_bSelectedPeakShown = a->m_bSelectedJShown = b->m_bSelectedPeakShown = 1;
  m_host.m_nUpdates = 1;
  m_doc.ClearHoverMarks();
  EXPECT_EQ(a->m_bSelectedPeakShown, 0);
  EXPECT_EQ(a->m_bSelectedJShown, 0);
  EXPECT_EQ(b->m_bSelectedPeakShown, 1);
  EXPECT_EQ(m_host.m_nUpdates, 2);
}

TEST_F(DocumentTest, PixelsAndPointsMapThroughTheVisibleRange) {
  EXPECT_EQ(m_doc.PixelToPoint(10), 10);  // no spectrum: unchanged
  CSpectrum* s = AddTestSpectrum(m_doc, 2048);
  s->m_nLeftPixel = 100;
  s->m_nRightPixel = 500;
  s->m_nFirst = 1000;
  s->m_nLast = 1800;
  EXPECT_EQ(m_doc.PixelToPoint(100), 1000);
  EXPECT_EQ(m_doc.PixelToPoint(500), 1800);
  EXPECT_EQ(m_doc.PixelToPoint(300), 1400);
  EXPECT_EQ(m_doc.PixelToPoint(101), 1002);
  EXPECT_EQ(m_doc.PointToPixel(1400), 300);
  EXPECT_EQ(m_doc.PointToPixel(1001), 101);  // 100.5 rounds away from zero
  EXPECT_EQ(m_doc.PointToPixel(0), -400);
  s->m_nRightPixel = s->m_nLeftPixel;
  EXPECT_EQ(m_doc.PixelToPoint(300), 1000);
  s->m_nLast = s->m_nFirst;
  EXPECT_EQ(m_doc.PointToPixel(1400), 100);
}

TEST_F(DocumentTest, ZoomSetsTheCurrentOrEveryRangeAndTheScrollBar) {
  EXPECT_FALSE(m_doc.ZoomToPixels(0, 100));  // no spectrum
  CSpectrum* other = AddTestSpectrum(m_doc, 4096);
  CSpectrum* s = AddTestSpectrum(m_doc, 2048);
  m_doc.SetCurrentSpectrum(s);
  for (CSpectrum* p : {s, other}) {
    p->m_nLeftPixel = 0;
    p->m_nRightPixel = 1024;
    p->m_nFirst = 0;
    p->m_nLast = p->m_paramsA.td;
  }
  const int nUpdates = m_host.m_nUpdates;
  EXPECT_FALSE(m_doc.ZoomToPixels(300, 300));  // a click is no zoom
  EXPECT_EQ(nUpdates, m_host.m_nUpdates);
  ASSERT_TRUE(m_doc.ZoomToPixels(200, 100));
  EXPECT_EQ(200, s->m_nFirst);
  EXPECT_EQ(400, s->m_nLast);
  EXPECT_EQ(4096, other->m_nLast);  // only the current one
  EXPECT_EQ(2048, m_host.m_nScrollMax);
  EXPECT_EQ(200, m_host.m_nScrollPage);
  EXPECT_EQ(200, m_host.m_nScrollPos);
  EXPECT_TRUE(m_host.m_bScrollVisible);
  EXPECT_EQ(nUpdates + 1, m_host.m_nUpdates);
  m_doc.m_bZoomAll = 1;
  s->m_nFirst = 0;
  s->m_nLast = 2048;
  ASSERT_TRUE(m_doc.ZoomToPixels(100, 200));
  EXPECT_EQ(400, other->m_nFirst);  // same Hz, twice the points
  EXPECT_EQ(800, other->m_nLast);
}

TEST_F(DocumentTest, ClosingLeavesPhaseAndWindowForTheNdProgram) {
  m_doc.WriteSharedValues();  // no spectrum: nothing written
  EXPECT_EQ(m_host.m_settings.GetSharedValueCount(), 0);

  CSpectrum* s = AddTestSpectrum(m_doc, 2048);
  m_doc.RefreshAfterAdd();
  s->m_dPhase0 = 0.1;
  s->m_dPhase1 = 0.2;
  s->m_nPivot = 512;
  s->m_pWindow->m_nType = CWindowFunction::LorentzGauss;
  s->m_pWindow->m_LB = -1.5f;
  s->m_pWindow->m_GB = 0.25f;
  m_doc.WriteSharedValues();
  double ph0 = 0, ph1 = 0, lb = 0, gb = 0;
  int type = -1;
  CMemorySettings& store = m_host.m_settings;
  ASSERT_TRUE(store.LookupSharedDouble("ph0", ph0));
  ASSERT_TRUE(store.LookupSharedDouble("ph1", ph1));
  EXPECT_DOUBLE_EQ(ph0, (0.1 - 0.05) * 57.29577951308232);
  EXPECT_DOUBLE_EQ(ph1, 0.2 * 57.29577951308232);
  ASSERT_TRUE(store.LookupSharedInt("type", type));
  EXPECT_EQ(type, 4);
  ASSERT_TRUE(store.LookupSharedDouble("lb", lb));
  ASSERT_TRUE(store.LookupSharedDouble("gb", gb));
  EXPECT_EQ(lb, -1.5);
  EXPECT_EQ(gb, 0.25);

  const int types[] = {0, 1, 3, 4, 5, 6, 7};
  const int stored[] = {0, 1, 5, 2, 3, 6, 7};
  for (int i = 0; i < 7; i++) {
    s->m_pWindow->m_nType = types[i];
    s->m_pWindow->m_SineShift = 90.0f;
    m_doc.WriteSharedValues();
    ASSERT_TRUE(store.LookupSharedInt("type", type));
    EXPECT_EQ(type, stored[i]) << types[i];
  }
  EXPECT_TRUE(store.LookupSharedDouble("lb", lb));
  EXPECT_EQ(lb, 90.0);  // the sine windows leave their shift

  store.m_bSharedKeyAvailable = FALSE;
  m_doc.WriteSharedValues();
  ASSERT_EQ(m_host.m_messages.size(), 1u);
  EXPECT_EQ(m_host.m_messages[0], "Failed to open registry\n");
}

TEST_F(DocumentTest, RemovedSpectraAndIntegralsLeaveNoPointerBehind) {
  CSpectrum* a = AddTestSpectrum(m_doc, 8);
  CSpectrum* b = AddTestSpectrum(m_doc, 8);
  CSpectrum* c = AddTestSpectrum(m_doc, 8);
  m_doc.m_pCurrent = b;
  m_doc.m_pSecond = b;
  m_doc.m_Arithmetic.m_pA = b;
  m_doc.m_Arithmetic.m_pB = c;
  m_doc.m_Arithmetic.m_pResult = b;
  m_doc.m_nSelectedPeak = 3;
  m_doc.RemoveSpectrum(b);
  EXPECT_EQ(m_doc.GetSpectrumCount(), 2);
  EXPECT_EQ(m_doc.m_pCurrent, a);  // the first becomes current
  EXPECT_EQ(m_doc.m_pSecond, nullptr);
  EXPECT_EQ(m_doc.m_Arithmetic.m_pA, nullptr);
  EXPECT_EQ(m_doc.m_Arithmetic.m_pB, c);
  EXPECT_EQ(m_doc.m_Arithmetic.m_pResult, nullptr);
  EXPECT_EQ(m_doc.m_nSelectedPeak, 0);
  EXPECT_EQ(m_doc.m_nSpectra, 2);

  CIntegral* i0 = new CIntegral(c, 0, 4, 0, 0);
  CIntegral* i1 = new CIntegral(c, 4, 8, 0, 0);
  c->m_arrIntegrals.Add(i0);
  c->m_arrIntegrals.Add(i1);
  c->m_pSelectedIntegral = i1;
  m_doc.RemoveIntegral(c, 1);
  EXPECT_EQ(c->m_arrIntegrals.GetSize(), 1);
  EXPECT_EQ(c->m_pSelectedIntegral, nullptr);
  m_doc.RemoveIntegral(c, 5);  // out of range: nothing
  EXPECT_EQ(c->m_arrIntegrals.GetSize(), 1);

  m_doc.RemoveAllSpectra();
  EXPECT_EQ(m_doc.GetSpectrumCount(), 0);
  EXPECT_EQ(m_doc.m_pCurrent, nullptr);
  EXPECT_EQ(m_doc.m_Arithmetic.m_pB, nullptr);
}

class DispatcherTest : public DocumentTest {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = ::testing::TempDir() + "dispatch_" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
};

TEST_F(DispatcherTest, NativeFilesAreReadWhateverTheChosenType) {
  AddTestSpectrum(m_doc, 8);
  std::string path = ::testing::TempDir() + "dispatch_native.bvx";
  ASSERT_TRUE(m_doc.WriteNativeFile(path.c_str()));

  CBrivaneProDoc doc(&m_host);
  m_host.m_app.m_nImportType = 0;
  m_host.m_app.m_strOpenFailure = "stale";
  EXPECT_EQ(doc.ImportFile(path.c_str()), importNative);
  EXPECT_EQ(doc.GetSpectrumCount(), 1);
  // The native type until the caller puts the user's choice back.
  EXPECT_EQ(m_host.m_app.m_nImportType, CBrivaneAppState::ImportTypeNative);
  doc.RestoreImportType();
  EXPECT_EQ(m_host.m_app.m_nImportType, 0);
  EXPECT_TRUE(m_host.m_app.m_strOpenFailure.IsEmpty());
}

// A damaged document is not handed on to the chosen importer, whose reason
// ("Error opening acqus file") would say nothing of what is wrong.
TEST_F(DispatcherTest, ADamagedDocumentSaysWhyInTheReadersWords) {
  AddTestSpectrum(m_doc, 64);
  std::string path = ::testing::TempDir() + "dispatch_whole.bvx";
  ASSERT_TRUE(m_doc.WriteNativeFile(path.c_str()));
  std::ifstream in(path, std::ios::binary);
  const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string badBuild = whole;
  badBuild[11] = 2;
  const struct {
    const char* name;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"cut.bvx", whole.substr(0, 1500), "The file is damaged"},
      {"header.bvx", whole.substr(0, 10), "Unexpected end of file"},
      {"build.bvx", badBuild, "Build Number out of Date"},
  };
  for (const auto& c : cases) {
    CBrivaneProDoc doc(&m_host);
    m_host.m_app.m_nImportType = 0;
    EXPECT_EQ(doc.ImportFile(Write(c.name, c.bytes).c_str()), importFailed) << c.name;
    EXPECT_EQ(0u, std::string((LPCSTR)m_host.m_app.m_strOpenFailure).find(c.reason))
        << c.name << ": " << (LPCSTR)m_host.m_app.m_strOpenFailure;
    EXPECT_EQ(doc.GetSpectrumCount(), 0);
    EXPECT_TRUE(m_host.m_app.m_History.IsEmpty()) << "no importer ran";
  }
}

TEST_F(DispatcherTest, ForeignFilesGoToTheChosenTypeSilently) {
  std::string path = Write("foreign.fid", "##TITLE= not ours\n");
  m_host.m_app.m_nImportType = 9;
  EXPECT_EQ(m_doc.ImportFile(path.c_str()), importFailed);
  EXPECT_EQ(std::string((LPCSTR)m_host.m_app.m_strOpenFailure), "Unexpected file format");

  m_host.m_app.m_nImportType = 13;  // no such type: no importer
  EXPECT_EQ(m_doc.ImportFile(path.c_str()), importFailed);
  EXPECT_FALSE(m_host.m_app.m_strOpenFailure.IsEmpty());
  EXPECT_NE(std::string((LPCSTR)m_host.m_app.m_strOpenFailure), "Unexpected file format");
  EXPECT_TRUE(m_host.m_messages.empty());
  EXPECT_EQ(m_doc.GetSpectrumCount(), 0);
}

TEST_F(DocumentTest, DataBufferCopiesPastesAndSums) {
  CSpectrum* s = AddTestSpectrum(m_doc, 16, [](int i) { return (float)i; });
  EXPECT_FALSE(m_doc.PasteData());  // nothing copied yet
  s->m_nFirst = 2;
  s->m_nLast = 10;
  ASSERT_TRUE(m_doc.CopyData());
  EXPECT_EQ(m_doc.m_DataBuffer.GetCount(), 8);

  // A shorter visible range receives only its own length.
  s->m_nFirst = 12;
  s->m_nLast = 16;
  ASSERT_TRUE(m_doc.PasteData());
  EXPECT_EQ(s->m_pData[11], 11.0f);
  EXPECT_EQ(s->m_pData[12], 2.0f);
  EXPECT_EQ(s->m_pData[15], 5.0f);

  // A longer one receives only the buffer's count.
  s->m_nFirst = 0;
  s->m_nLast = 16;
  ASSERT_TRUE(m_doc.SumData(0.5f));
  EXPECT_EQ(s->m_pData[0], 0.0f + 1.0f);
  EXPECT_EQ(s->m_pData[7], 7.0f + 4.5f);
  EXPECT_EQ(s->m_pData[8], 8.0f);
  EXPECT_TRUE(m_host.m_bModified);

  CDataBuffer buffer;
  float values[3] = {1, 2, 3};
  ASSERT_TRUE(buffer.Copy(values, 0));
  EXPECT_TRUE(buffer.HasData());
  EXPECT_FALSE(buffer.Copy(values, -1));
  EXPECT_FALSE(buffer.HasData());
  EXPECT_TRUE(buffer.Apply(values, 3, 2.0f, TRUE));  // empty: unchanged
  EXPECT_EQ(values[2], 3.0f);
}

TEST(HistoryListTest, CopiesAsLinesEndingInCrLf) {
  CHistoryList history;
  EXPECT_EQ(std::string((LPCSTR)history.GetText()), "");
  history.AddLine("Starting traslation for x");
  history.AddLine("Fourier Transform");
  EXPECT_EQ(history.GetCount(), 2);
  EXPECT_EQ(std::string((LPCSTR)history.GetText()), "Starting traslation for x\r\nFourier Transform\r\n");
}

TEST_F(DocumentTest, SetLimitsTurnsAxisValuesIntoAClampedEvenRangeOrChangesNothing) {
  CSpectrum* s = AddTestSpectrum(
      m_doc, 1024, [](int) { return 0.0f; }, 5000.0, 500.0);
  s->m_Scale.m_nUnits = AXIS_UNITS_PPM;
  s->m_nFirst = 0;
  s->m_nLast = 1024;
  double dFrom = 0, dTo = 0;
  ASSERT_TRUE(m_doc.GetVisibleLimits(dFrom, dTo));
  EXPECT_DOUBLE_EQ(10.0, dFrom);
  EXPECT_DOUBLE_EQ(0.0, dTo);
  struct Case {
    int nUnits;
    double dA, dB;
    BOOL bTaken;
    int nFirst, nLast;
  } cases[] = {
      {AXIS_UNITS_PPM, 8.0, 2.0, TRUE, 204, 818},    // 819 is odd
      {AXIS_UNITS_PPM, 2.0, 8.0, TRUE, 204, 818},    // either order
      {AXIS_UNITS_PPM, 12.0, -1.0, TRUE, 0, 1024},   // beyond the data: clamped
      {AXIS_UNITS_PPM, 11.0, 12.0, FALSE, 0, 1024},  // all of it beyond the data
      {AXIS_UNITS_POINTS, 3.5, 10.0, TRUE, 6, 20},    {AXIS_UNITS_HZ, 5000.0, 2500.0, TRUE, 0, 512},
      {AXIS_UNITS_SECONDS, 0.1, 0.2, FALSE, 0, 1024},  // no acquisition time
      {AXIS_UNITS_PPM, NAN, 2.0, FALSE, 0, 1024},
  };
  for (const Case& c : cases) {
    s->m_Scale.m_nUnits = c.nUnits;
    s->m_nFirst = 0;
    s->m_nLast = 1024;
    s->m_paramsA.aq = 0.0;
    EXPECT_EQ(c.bTaken, m_doc.SetVisibleLimits(c.dA, c.dB)) << c.nUnits << " " << c.dA << " " << c.dB;
    EXPECT_EQ(c.nFirst, s->m_nFirst) << c.nUnits << " " << c.dA << " " << c.dB;
    EXPECT_EQ(c.nLast, s->m_nLast) << c.nUnits << " " << c.dA << " " << c.dB;
    if (c.bTaken) {
      EXPECT_EQ(c.nFirst, m_host.m_nScrollPos);
      EXPECT_EQ(c.nLast - c.nFirst, m_host.m_nScrollPage);
      EXPECT_EQ(1024, m_host.m_nScrollMax);
    }
  }
}

}  // namespace
