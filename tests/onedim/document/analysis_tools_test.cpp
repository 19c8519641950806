// The measuring tools of the document: picks, peak removal, integral
// regions, the tool modes, aligning and deleting integrals, the line fit.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "onedim/model/Integral.h"
#include "onedim/model/PeakPicking.h"
#include "onedim/processing/PeakFit.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

float TwoLines(int i) {
  if (i % 2)
    return 0.0f;
  const double a = (i / 2 - 100.0) / 3.0, b = (i / 2 - 300.0) / 3.0;
  return (float)(100.0 / (1.0 + a * a) + 60.0 / (1.0 + b * b));
}

class AnalysisToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_s = AddTestSpectrum(m_doc, 1024, TwoLines);
    m_s->FindMaximum();
    m_host.m_bModified = FALSE;
  }
  CTestHost m_host;
  CBrivaneProDoc m_doc{&m_host};
  CSpectrum* m_s = nullptr;
};

TEST_F(AnalysisToolsTest, PicksAreRecordsAndRemovalTakesEmptyRecords) {
  m_doc.PickPeaksInRange(0, 1022, 20.0);
  m_doc.PickPeakAt(1000);
  m_doc.PickPeakAt(5000);  // outside the data: no record
  ASSERT_EQ(2, (int)m_s->m_arrPeaks.GetSize());
  EXPECT_EQ(m_s->m_arrPeaks[1], m_s->m_pCurrentPeaks);
  EXPECT_EQ(3, m_s->GetPeakCount());
  EXPECT_EQ(100, m_s->GetPeakPosition(0));
  EXPECT_EQ(300, m_s->GetPeakPosition(1));

  m_doc.RemovePeaksInRange(900, 1100);
  EXPECT_EQ(1, (int)m_s->m_arrPeaks.GetSize()) << "the manual record went with its point";
  m_doc.RemovePeaksInRange(0, 300);  // float indices: point 100 only
  EXPECT_EQ(1, m_s->GetPeakCount());
  EXPECT_EQ(300, m_s->GetPeakPosition(0));
}

TEST_F(AnalysisToolsTest, IntegralRegionsAreClippedAndNeedWidth) {
  m_doc.AddIntegralOver(100, 100);
  m_doc.AddIntegralOver(-50, -10);
  EXPECT_EQ(0, (int)m_s->m_arrIntegrals.GetSize());
  EXPECT_FALSE(m_host.m_bModified);
  m_doc.AddIntegralOver(1100, 900);
  m_doc.AddIntegralOver(-7, 41);
  ASSERT_EQ(2, (int)m_s->m_arrIntegrals.GetSize());
  const CIntegral* a = static_cast<const CIntegral*>(m_s->m_arrIntegrals[0]);
  const CIntegral* b = static_cast<const CIntegral*>(m_s->m_arrIntegrals[1]);
  EXPECT_EQ(900, a->m_nStart);
  EXPECT_EQ(1022, a->m_nEnd);
  EXPECT_EQ(0, b->m_nStart);
  EXPECT_EQ(40, b->m_nEnd);
  EXPECT_EQ(m_doc.m_crIntegral, a->m_crColour);
  EXPECT_TRUE(m_host.m_bModified);
}

TEST_F(AnalysisToolsTest, ToolModesToggleOneAtATime) {
  struct Step {
    int nCommandMode;
    int nAfter;
    int nRedraws;  // views updated by this step
  };
  const Step steps[] = {{MOUSE_PEAK_BY_PEAK, MOUSE_PEAK_BY_PEAK, 0},
                        {MOUSE_PEAK_REGION, MOUSE_PEAK_REGION, 0},
                        {MOUSE_PEAK_REGION, MOUSE_NONE, 0},
                        {MOUSE_INTEGRATE, MOUSE_INTEGRATE, 0},
                        {MOUSE_INTEGRATE, MOUSE_NONE, 1},
                        {MOUSE_REMOVE_PEAKS, MOUSE_REMOVE_PEAKS, 0},
                        {MOUSE_REMOVE_PEAKS, MOUSE_NONE, 1},
                        {MOUSE_PEAK_INFO, MOUSE_PEAK_INFO, 0}};
  for (const Step& step : steps) {
    const int nBefore = m_host.m_nUpdates;
    m_doc.ToggleMouseMode(step.nCommandMode);
    EXPECT_EQ(step.nAfter, m_doc.m_nMouseMode);
    EXPECT_EQ(step.nRedraws, m_host.m_nUpdates - nBefore);
  }
}

TEST_F(AnalysisToolsTest, AlignAndDeleteIntegrals) {
  const int bases[] = {120, 300, 80};
  for (int i = 0; i < 3; i++)
    m_s->m_arrIntegrals.Add(new CIntegral(m_s, 40 * i, 40 * i + 20, bases[i], 0));
  m_doc.AlignIntegrals();
  for (int i = 0; i < 3; i++)
    EXPECT_EQ(300, static_cast<CIntegral*>(m_s->m_arrIntegrals[i])->m_nBase);
  m_s->m_pSelectedIntegral = static_cast<CIntegral*>(m_s->m_arrIntegrals[2]);
  m_s->m_pSelectedIntegral->m_nBase = 50;
  m_doc.AlignIntegrals();
  EXPECT_EQ(50, static_cast<CIntegral*>(m_s->m_arrIntegrals[0])->m_nBase);
  m_doc.DeleteAllIntegrals();
  EXPECT_EQ(0, (int)m_s->m_arrIntegrals.GetSize());
  EXPECT_EQ(nullptr, m_s->m_pSelectedIntegral);
}

TEST_F(AnalysisToolsTest, FitShowsEachLineOrNotConvergedAndChangesNothing) {
  const std::vector<float> before(m_s->m_pData, m_s->m_pData + 1024);
  m_doc.FitPeaks(FIT_LORENTZIAN);
  ASSERT_EQ(1u, m_host.m_messages.size());
  EXPECT_EQ("Not converged", m_host.m_messages[0]) << "no picked peaks";

  m_host.m_messages.clear();
  m_doc.PickPeaksInRange(0, 1022, 20.0);
  m_doc.FitPeaks(FIT_LORENTZIAN);
  ASSERT_EQ(6u, m_host.m_messages.size());
  EXPECT_EQ(0u, m_host.m_messages[0].find("Frequency="));
  EXPECT_EQ(0u, m_host.m_messages[1].find("Area="));
  // Width: twice the half width of 3 points, at 5000 / 512 Hz per point.
  EXPECT_EQ("Width=58.594", m_host.m_messages[2]);
  EXPECT_EQ(before, std::vector<float>(m_s->m_pData, m_s->m_pData + 1024));
  EXPECT_EQ(2, m_s->GetPeakCount());
  EXPECT_FALSE(m_host.m_bModified);
}

TEST_F(AnalysisToolsTest, IntegralOptionsGoToTheSpectrumItsIntegralsAndTheProfile) {
  m_s->m_arrIntegrals.Add(new CIntegral(m_s, 0, 20, 0, RGB(1, 2, 3)));
  CIntegralOptions o;
  m_doc.GetIntegralOptions(o);
  EXPECT_EQ(0, o.nWidthIndex);
  EXPECT_EQ(20, o.nDistance);
  o.nWidthIndex = 4;
  o.bOnTop = 0;
  o.nDistance = -300;
  o.crColour = RGB(0, 0, 255);
  o.bMoveTogether = 1;
  m_host.m_bModified = FALSE;
  m_doc.ApplyIntegralOptions(o);
  EXPECT_TRUE(m_host.m_bModified) << "the integrals' colour is kept in the file";
  EXPECT_EQ(5, m_s->m_nIntegralLineWidth);
  EXPECT_EQ(-100, m_s->m_nIntegralDistance);
  EXPECT_EQ(RGB(0, 0, 255), static_cast<CIntegral*>(m_s->m_arrIntegrals[0])->m_crColour);
  EXPECT_EQ(RGB(0, 0, 255), m_doc.m_crIntegral);
  EXPECT_EQ(1, m_doc.m_bMoveIntegralsTogether);
  CSettingsStore& settings = m_host.GetSettings();
  EXPECT_EQ(5, settings.GetProfileInt("Integration", "Width", -1));
  EXPECT_EQ(0, settings.GetProfileInt("Integration", "OnTop", -1));
  EXPECT_EQ(-100, settings.GetProfileInt("Integration", "Distance", -1));
  EXPECT_STREQ((LPCSTR)m_s->m_IntegralFont.GetFontString(),
               (LPCSTR)settings.GetProfileString("Integration", "Font", ""));
  m_host.m_bModified = FALSE;
  m_doc.ApplyIntegralOptions(o);
  EXPECT_FALSE(m_host.m_bModified) << "the same colour again changes nothing the file keeps";
}

TEST_F(AnalysisToolsTest, CorrectionReachesTheSelectedOrEveryIntegral) {
  for (int i = 0; i < 2; i++)
    m_s->m_arrIntegrals.Add(new CIntegral(m_s, 40 * i, 40 * i + 20, 0, 0));
  CIntegral* a = static_cast<CIntegral*>(m_s->m_arrIntegrals[0]);
  CIntegral* b = static_cast<CIntegral*>(m_s->m_arrIntegrals[1]);
  m_doc.SetIntegralCorrection(TRUE, 0.5, FALSE);  // nothing selected
  EXPECT_EQ(0.0, a->m_dSlope);
  m_s->m_pSelectedIntegral = b;
  m_doc.AutoCorrectIntegrals(TRUE);
  m_doc.SetIntegralCorrection(FALSE, 7.0, FALSE);
  EXPECT_EQ(7.0, b->m_dBias);
  EXPECT_EQ(0, b->m_bAutoCorrect);
  EXPECT_EQ(1, a->m_bAutoCorrect);
  m_s->m_pSelectedIntegral = nullptr;
  m_doc.RestoreIntegralCorrection(0.0, 0.0, FALSE);  // none selected: all
  EXPECT_EQ(0.0, b->m_dBias);

  // The scroll bars: lines, pages and the thumb, kept in range.
  const int cases[][4] = {{0, 0, 0, -10},    {1, 95, 0, 100}, {3, 0, 0, 40},
                          {2, -90, 0, -100}, {5, 0, 77, 77},  {8, 5, 0, 5}};
  for (const auto& c : cases)
    EXPECT_EQ(c[3], IntegralScrollPosition(c[0], c[1], c[2], 100, 10, 40)) << c[0] << " " << c[1];
}

TEST_F(AnalysisToolsTest, AReferenceIntegralSetsTheUnitOfOneOrEverySpectrum) {
  CSpectrum* other = AddTestSpectrum(m_doc, 64);
  CIntegral in(m_s, 0, 20, 0, 0);
  in.m_dValue = 300.0;
  m_host.m_bModified = FALSE;
  EXPECT_FALSE(m_doc.SetReferenceIntegral(in, 0.0, FALSE));
  EXPECT_FALSE(m_host.m_bModified);
  EXPECT_TRUE(m_doc.SetReferenceIntegral(in, 3.0, FALSE));
  EXPECT_TRUE(m_host.m_bModified) << "the reference is kept in the file";
  EXPECT_EQ(100.0, m_s->m_dIntegralNorm);
  EXPECT_EQ(0.0, other->m_dIntegralNorm);
  EXPECT_TRUE(m_doc.SetReferenceIntegral(in, 2.0, TRUE));
  EXPECT_EQ(150.0, other->m_dIntegralNorm);
  EXPECT_FALSE(m_doc.SetReferenceIntegral(in, 0.0, TRUE));
  EXPECT_FALSE(m_doc.SetReferenceIntegral(in, NAN, TRUE));
  EXPECT_EQ(150.0, m_s->m_dIntegralNorm);
}

}  // namespace
