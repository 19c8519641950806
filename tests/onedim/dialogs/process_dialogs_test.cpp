// The value dialogs of the Process menu on their templates: the proposed
// sizes, the FID shift from its kept copy, and the prediction's message.
#include <algorithm>
#include <string>
#include <vector>

#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "onedim/dialogs/ProcessDialogs.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"
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

class ProcessDialogsTest : public WindowTest {
 protected:
  static INT_PTR Run(CDialog& dlg, const std::function<void(CDialog&)>& act) {
    AfxSetModalDialogHook([&](CDialog& d) { act(d); });
    const INT_PTR nResult = dlg.DoModal();
    AfxSetModalDialogHook(nullptr);
    return nResult;
  }

  CSpectrum* AddSpectrum(int td) {
    CSpectrumParams params;
    params.td = td;
    params.sw = 4000.0;
    params.sf = 400.0;
    CSpectrum* s = m_doc.AddSpectrum(params);
    s->m_pData = CSpectrum::AllocateFloats(td);
    s->m_pRawData = CSpectrum::AllocateFloats(td);
    for (int i = 0; i < td; i++)
      s->m_pData[i] = s->m_pRawData[i] = (float)(i + 1);
    m_doc.SetCurrentSpectrum(s);
    m_doc.RefreshAfterAdd();
    return s;
  }

  CPlainHost m_host;
  CBrivaneProDoc m_doc{&m_host};
};

TEST_F(ProcessDialogsTest, ZeroFillingProposesItsSizeInTheList) {
  struct Case {
    int nPoints;
    int nSelected;
    int nCount;
  };
  for (const Case& c : {Case{8192, 0, 8}, Case{6000, 8, 9}}) {
    CZeroFillingDialog dlg;
    dlg.m_nPoints = c.nPoints;
    EXPECT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
                HWND combo = ::GetDlgItem(d.m_hWnd, IDC_ZF_POINTS);
                EXPECT_EQ(c.nCount, (int)::SendMessageA(combo, CB_GETCOUNT, 0, 0));
                EXPECT_EQ(c.nSelected, (int)::SendMessageA(combo, CB_GETCURSEL, 0, 0));
                ::SetWindowTextA(combo, "10000");
                d.SendMessage(WM_COMMAND, IDOK, 0);
              }));
    EXPECT_EQ(10000, dlg.m_nPoints) << "any number typed is taken";
  }
}

TEST_F(ProcessDialogsTest, FourierTransformShowsTheRotationAndReadsTheSize) {
  CFourierTransformDialog dlg;
  dlg.m_nMaxRotation = 4096;
  dlg.m_nPoints = 4096;
  dlg.m_nRotationPoints = 67;
  dlg.m_bRotateData = 1;
  EXPECT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              EXPECT_EQ("67", TextOf(::GetDlgItem(d.m_hWnd, IDC_FT_ROTATION)));
              EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(d.m_hWnd, IDC_FT_ROTATE));
              ::CheckDlgButton(d.m_hWnd, IDC_FT_ROTATE, BST_UNCHECKED);
              ::SetWindowTextA(::GetDlgItem(d.m_hWnd, IDC_FT_POINTS), "16384");
              d.SendMessage(WM_COMMAND, IDOK, 0);
            }));
  EXPECT_EQ(16384, dlg.m_nPoints);
  EXPECT_EQ(67, dlg.m_nRotationPoints);
  EXPECT_EQ(0, dlg.m_bRotateData);
}

TEST_F(ProcessDialogsTest, FidShiftStartsEachTimeFromTheKeptCopy) {
  CSpectrum* s = AddSpectrum(16);
  const std::vector<float> before(s->m_pData, s->m_pData + 16);
  s->m_pAux = CSpectrum::AllocateFloats(16);
  std::copy(before.begin(), before.end(), s->m_pAux);
  struct Case {
    int nDirection, nCount;
    std::vector<float> expected;
  };
  const std::vector<Case> cases = {
      {0, 3, {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0, 0, 0, 0, 0, 0}},
      {1, 3, {0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},  // not back where it was
      {0, 99, std::vector<float>(16, 0.0f)},                          // held to td/2
      {2, 8, before},
      {2, 1, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 1, 2}},
  };
  for (const Case& c : cases) {
    CFidShiftDialog::ApplyShift(*s, c.nDirection, c.nCount);
    EXPECT_EQ(c.expected, std::vector<float>(s->m_pData, s->m_pData + 16)) << c.nDirection << " " << c.nCount;
  }
  delete[] s->m_pAux;
  s->m_pAux = nullptr;
}

TEST_F(ProcessDialogsTest, FidShiftCancelPutsTheDataBack) {
  CSpectrum* s = AddSpectrum(16);
  const std::vector<float> before(s->m_pData, s->m_pData + 16);
  CFidShiftDialog dlg(&m_doc);
  EXPECT_EQ(IDCANCEL, Run(dlg, [&](CDialog& d) {
              ::SetWindowTextA(::GetDlgItem(d.m_hWnd, IDC_SHIFT_COUNT), "2");
              d.SendMessage(WM_COMMAND, MAKEWPARAM(4, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, 4));
              EXPECT_EQ(5.0f, s->m_pData[0]);
              d.SendMessage(WM_COMMAND, IDCANCEL, 0);
            }));
  EXPECT_EQ(before, std::vector<float>(s->m_pData, s->m_pData + 16));
  EXPECT_EQ(nullptr, s->m_pAux);
}

TEST_F(ProcessDialogsTest, LinearPredictionCutsTheBasisAndDoublesTheFid) {
  CSpectrum* s = AddSpectrum(256);
  CLinearPredictionDialog dlg(&m_doc);
  EXPECT_EQ("128", std::string(dlg.m_strFirst));
  Run(dlg, [&](CDialog& d) {
    EXPECT_EQ("Apply", TextOf(::GetDlgItem(d.m_hWnd, IDOK)));
    ::SetWindowTextA(::GetDlgItem(d.m_hWnd, IDC_LP_BASIS), "5000");
    d.SendMessage(WM_COMMAND, IDOK, 0);
  });
  ASSERT_EQ(1u, m_messageBoxes.size());
  EXPECT_EQ("Basis have been trucated", m_messageBoxes[0].text);
  EXPECT_EQ(512, s->m_paramsA.td);
}

}  // namespace
