// The dialogs of the peak and integral tools on their templates: the peak
// list's rows and deletions, the correction bars' ranges and targets, and
// the thresholding checks.
#include <string>

#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "onedim/dialogs/analysis/IntegralCorrectionDialog.h"
#include "onedim/dialogs/analysis/IntegralThresholdDialog.h"
#include "onedim/dialogs/analysis/PeakListDialog.h"
#include "onedim/dialogs/analysis/ReferenceIntegralDialog.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Integral.h"
#include "onedim/model/PeakPicking.h"
#include "onedim/model/Spectrum.h"
#include "resources/BrivaneRes.h"

namespace {

class CPlainHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
};

CBrivaneProDoc* g_pDoc = nullptr;
CBrivaneProDoc* ActiveDoc() {
  return g_pDoc;
}

class AnalysisDialogsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    CSpectrumParams params;
    params.td = 512;
    params.sw = 4000.0;
    params.sf = 400.0;
    m_s = m_doc.AddSpectrum(params);
    m_s->m_pData = CSpectrum::AllocateFloats(512);
    for (int k : {100, 200, 300})
      m_s->m_pData[k] = 50.0f;
    m_s->FindMaximum();
    m_doc.SetCurrentSpectrum(m_s);
    g_pDoc = &m_doc;
  }
  void TearDown() override {
    g_pDoc = nullptr;
    WindowTest::TearDown();
  }
  static std::string Text(HWND dialog, int id) {
    char text[64] = "";
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
  }
  static void Click(HWND dialog, int id) {
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, id));
  }

  CPlainHost m_host;
  CBrivaneProDoc m_doc{&m_host};
  CSpectrum* m_s = nullptr;
};

TEST_F(AnalysisDialogsTest, PeakListShowsTheRecordsAndDeletesPeaks) {
  m_doc.PickPeaksInRange(0, 510, 10.0);
  m_doc.PickPeakAt(300);
  ASSERT_EQ(4, m_s->GetPeakCount());
  CPeakListDialog* pDialog = new CPeakListDialog(&m_doc, nullptr);
  m_doc.m_pPeakList = pDialog;
  m_doc.m_bPeakListOpen = 1;
  ASSERT_TRUE(pDialog->CreateModeless(nullptr));
  HWND hDialog = pDialog->m_hWnd;
  HWND list = ::GetDlgItem(hDialog, IDC_PEAK_LIST);
  EXPECT_EQ(6, (int)::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) << "FROM, TO, three peaks, one manual";

  // Delete with the manual row selected: its record goes with it.
  LVITEMA item = {};
  item.stateMask = item.state = LVIS_SELECTED;
  ::SendMessageA(list, LVM_SETITEMSTATE, 5, (LPARAM)&item);
  ::SendMessageA(hDialog, WM_COMMAND, ID_PEAKS_DELETE, 0);
  EXPECT_EQ(1, (int)m_s->m_arrPeaks.GetSize());
  EXPECT_EQ(5, (int)::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  // A FROM row is no peak: nothing is deleted.
  ::SendMessageA(list, LVM_SETITEMSTATE, 0, (LPARAM)&item);
  ::SendMessageA(hDialog, WM_COMMAND, ID_PEAKS_DELETE, 0);
  EXPECT_EQ(3, m_s->GetPeakCount());
  ::SendMessageA(hDialog, WM_COMMAND, ID_PEAKS_DELETE_ALL, 0);
  EXPECT_EQ(0, (int)::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));

  ::SendMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(::IsWindow(hDialog));
  EXPECT_EQ(nullptr, m_doc.m_pPeakList);
  EXPECT_EQ(0, m_doc.m_bPeakListOpen);
}

TEST_F(AnalysisDialogsTest, CorrectionBarsDoubleHalveAndReachTheirTargets) {
  m_s->m_arrIntegrals.Add(new CIntegral(m_s, 0, 100, 0, 0));
  CIntegral* pIntegral = static_cast<CIntegral*>(m_s->m_arrIntegrals[0]);
  CIntegralCorrectionDialog* pDialog = new CIntegralCorrectionDialog(&ActiveDoc, nullptr);
  ASSERT_TRUE(pDialog->CreateModeless(nullptr));
  HWND hDialog = pDialog->m_hWnd;
  EXPECT_EQ("-100", Text(hDialog, IDC_IC_SLOPE_MIN));
  EXPECT_EQ("0.00", Text(hDialog, IDC_IC_BIAS_EDIT));
  Click(hDialog, IDC_IC_SLOPE_TWICE);
  Click(hDialog, IDC_IC_SLOPE_TWICE);
  EXPECT_EQ("-400", Text(hDialog, IDC_IC_SLOPE_MIN));
  EXPECT_EQ("400", Text(hDialog, IDC_IC_SLOPE_MAX));
  for (int i = 0; i < 5; i++)
    Click(hDialog, IDC_IC_SLOPE_HALF);
  EXPECT_EQ("12", Text(hDialog, IDC_IC_SLOPE_MAX)) << "400 halved five times, integer division";

  // Without a selected integral the bars do nothing; with one they set it.
  HWND bar = ::GetDlgItem(hDialog, IDC_IC_BIAS);
  ::SendMessageA(hDialog, WM_HSCROLL, SB_LINERIGHT, (LPARAM)bar);
  EXPECT_EQ(0.0, pIntegral->m_dBias);
  m_s->m_pSelectedIntegral = pIntegral;
  pIntegral->m_bAutoCorrect = 1;
  ::SendMessageA(hDialog, WM_HSCROLL, SB_LINERIGHT, (LPARAM)bar);
  EXPECT_EQ(10.0, pIntegral->m_dBias);
  EXPECT_EQ(0, pIntegral->m_bAutoCorrect);
  EXPECT_EQ("10.00", Text(hDialog, IDC_IC_BIAS_EDIT));
  Click(hDialog, IDC_IC_APPLY);
  EXPECT_FALSE(::IsWindow(hDialog));
  EXPECT_EQ(1, pIntegral->m_bAutoCorrect);
}

TEST_F(AnalysisDialogsTest, ApplyToAllWithoutASelectedIntegralSaysSo) {
  CIntegralCorrectionDialog* pDialog = new CIntegralCorrectionDialog(&ActiveDoc, nullptr);
  ASSERT_TRUE(pDialog->CreateModeless(nullptr));
  std::string shown;
  AfxSetMessageBoxHook([&](HWND, LPCSTR text, LPCSTR, UINT) {
    shown = text;
    return IDOK;
  });
  ::CheckDlgButton(pDialog->m_hWnd, IDC_IC_ALL, BST_CHECKED);
  Click(pDialog->m_hWnd, IDC_IC_ALL);
  AfxSetMessageBoxHook(nullptr);
  EXPECT_EQ("sorry, you need at least one integral selected\n", shown);
  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(pDialog->m_hWnd, IDC_IC_ALL));
  HWND hDialog = pDialog->m_hWnd;
  ::SendMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(::IsWindow(hDialog));
}

TEST_F(AnalysisDialogsTest, ThresholdingTakesTheChecksThePercentAndTheDrawFlag) {
  for (int i = 0; i < 2; i++)
    m_s->m_arrIntegrals.Add(new CIntegral(m_s, 100 * i, 100 * i + 50, 0, 0));
  static_cast<CIntegral*>(m_s->m_arrIntegrals[1])->m_bThresholding = 1;
  CIntegralThresholdDialog dlg(m_s, nullptr);
  AfxSetModalDialogHook([](CDialog& d) {
    HWND list = ::GetDlgItem(d.m_hWnd, IDC_IT_LIST);
    EXPECT_EQ(2, (int)::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(2);
    ::SendMessageA(list, LVM_SETITEMSTATE, 0, (LPARAM)&item);
    item.state = INDEXTOSTATEIMAGEMASK(1);
    ::SendMessageA(list, LVM_SETITEMSTATE, 1, (LPARAM)&item);
    ::SetDlgItemTextA(d.m_hWnd, IDC_IT_PERCENT, "40");
    ::CheckDlgButton(d.m_hWnd, IDC_IT_DRAW, BST_CHECKED);
    d.SendMessage(WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(IDOK, dlg.DoModal());
  AfxSetModalDialogHook(nullptr);
  EXPECT_EQ(1, static_cast<CIntegral*>(m_s->m_arrIntegrals[0])->m_bThresholding);
  EXPECT_EQ(0, static_cast<CIntegral*>(m_s->m_arrIntegrals[1])->m_bThresholding);
  EXPECT_EQ(40.0, m_s->m_dThresholdPercent);
  EXPECT_EQ(1, m_s->m_bDrawThreshold);
}

TEST_F(AnalysisDialogsTest, ReferenceIntegralShowsTheValueAndReadsANumber) {
  struct Case {
    const char* typed;
    double dValue;
  };
  for (const Case& c : {Case{"2.5", 2.5}, Case{"abc", 0.0}}) {
    CReferenceIntegralDialog dlg;
    dlg.m_dValue = 1.0;
    AfxSetModalDialogHook([&](CDialog& d) {
      EXPECT_EQ("1.0", Text(d.m_hWnd, IDC_RI_VALUE));
      ::SetDlgItemTextA(d.m_hWnd, IDC_RI_VALUE, c.typed);
      ::CheckDlgButton(d.m_hWnd, IDC_RI_ALL, BST_CHECKED);
      d.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    AfxSetModalDialogHook(nullptr);
    EXPECT_EQ(c.dValue, dlg.m_dValue) << c.typed;
    EXPECT_EQ(1, dlg.m_bAllSpectra);
  }
}

}  // namespace
