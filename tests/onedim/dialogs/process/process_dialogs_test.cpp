// The dialogs of the Process menu on their templates: the proposed sizes,
// the FID shift from its kept copy, the prediction's message, and the
// Window Functions dialog: Cancel after any number of changes gives every
// spectrum its data back (Break too), the scroll bars drive their edits,
// typed parameters are applied as typed, the pen width is checked, and More
// Options folds the dialog.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "onedim/dialogs/process/ProcessDialogs.h"
#include "onedim/dialogs/process/WindowFunctionsDialog.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/WindowFunction.h"
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
      {0, 99, std::vector<float>(16, 0.0f)},                      // held to td/2
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

// A fixture of the Window Functions dialog: FIDs with a weighted copy,
// scroll and Enter as the user gives them.
class WindowFunctionsDialogTest : public ProcessDialogsTest {
 protected:
  // A decaying complex FID of td floats with a digital filter, made current.
  CSpectrum* AddFid(int td, float fScale) {
    CSpectrumParams params;
    params.td = td;
    params.sw = 4000.0;
    params.sf = 400.0;
    params.aqmode = 1;
    params.bComplex = 1;
    CSpectrum* s = m_doc.AddSpectrum(params);
    s->m_paramsB.CopyFrom(params);
    s->m_pData = CSpectrum::AllocateFloats(td);
    s->m_pRawData = CSpectrum::AllocateFloats(td);
    for (int i = 0; i < td; i++)
      s->m_pData[i] = s->m_pRawData[i] = fScale * (float)((i % 7) - 3) / (float)(1 + i / 8);
    m_doc.SetCurrentSpectrum(s);
    m_doc.RefreshAfterAdd();
    for (int i = 0; i < td; i++)
      s->m_pWeighted[i] = -(float)i;  // what the weighted copy held before
    return s;
  }

  static std::vector<float> Floats(const float* p, int n) { return std::vector<float>(p, p + n); }

  static void Scroll(CDialog& d, int nScrollId, int nCode, int nPos = 0) {
    d.SendMessage(WM_HSCROLL, MAKEWPARAM(nCode, (WORD)(short)nPos), (LPARAM)::GetDlgItem(d.m_hWnd, nScrollId));
  }

  static void Enter(CDialog& d, int nEditId, const char* pszText) {
    HWND edit = ::GetDlgItem(d.m_hWnd, nEditId);
    ::SetWindowTextA(edit, pszText);
    ::SetFocus(edit);
    MSG msg = {edit, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(d.PreTranslateMessage(&msg)) << "Enter in an edit is the dialog's";
  }
};

TEST_F(WindowFunctionsDialogTest, CancelAfterManyChangesGivesEverySpectrumItsDataBack) {
  CSpectrum* a = AddFid(256, 1.0f);
  CSpectrum* b = AddFid(512, 3.0f);
  a->m_dPhase0 = 0.25;
  const std::vector<float> dataA = Floats(a->m_pData, 256), dataB = Floats(b->m_pData, 512);
  const std::vector<float> weightedA = Floats(a->m_pWeighted, 256);
  CWindowFunctionsDialog dlg(&m_doc);
  dlg.m_Session.KeepWeightedCopies();
  EXPECT_EQ(IDCANCEL, Run(dlg, [&](CDialog& d) {
              EXPECT_EQ(0.0, a->m_dPhase0) << "phases are off while the dialog is open";
              ::CheckDlgButton(d.m_hWnd, IDC_WF_APPLY_ALL, BST_CHECKED);
              Enter(d, IDC_WF_LB, "5");
              EXPECT_NE(dataA, Floats(a->m_pData, 256));
              EXPECT_NE(dataB, Floats(b->m_pData, 512));
              ::CheckDlgButton(d.m_hWnd, IDC_WF_INTERACTIVE, BST_CHECKED);
              Scroll(d, IDC_WF_LB_SCROLL, SB_PAGERIGHT);
              d.SendMessage(WM_COMMAND, IDCANCEL, 0);
            }));
  EXPECT_EQ(dataA, Floats(a->m_pData, 256));
  EXPECT_EQ(dataB, Floats(b->m_pData, 512));
  EXPECT_EQ(weightedA, Floats(a->m_pWeighted, 256));
  EXPECT_EQ(0.25, a->m_dPhase0);
  EXPECT_FLOAT_EQ(5.4f, b->m_pWindow->m_LB) << "the parameters stay";
}

// Break (Ctrl+Break on most keyboards) is the dialog's command 32824: its
// accelerators give it, and its handler is Cancel's.
TEST_F(WindowFunctionsDialogTest, TheBreakKeyCancels) {
  CSpectrum* s = AddFid(256, 1.0f);
  const std::vector<float> data = Floats(s->m_pData, 256);
  CWindowFunctionsDialog dlg(&m_doc);
  dlg.m_Session.KeepWeightedCopies();
  EXPECT_EQ(IDCANCEL, Run(dlg, [&](CDialog& d) {
              ACCEL accel[4] = {};
              const int n = ::CopyAcceleratorTableA(d.m_hAccelTable, accel, 4);
              EXPECT_EQ(2, n);  // not ASSERT: the key below ends the dialog
              for (int i = 0; i < n; i++) {
                EXPECT_EQ(VK_CANCEL, accel[i].key);
                EXPECT_EQ(ID_WF_CANCEL_KEY, accel[i].cmd);
              }
              Enter(d, IDC_WF_LB, "5");
              EXPECT_NE(data, Floats(s->m_pData, 256));
              HWND edit = ::GetDlgItem(d.m_hWnd, IDC_WF_LB);
              ::SetFocus(edit);
              PostKey(edit, VK_CANCEL, MK_CONTROL);
            }));
  EXPECT_EQ(data, Floats(s->m_pData, 256));
}

TEST_F(WindowFunctionsDialogTest, OkKeepsTheWeightedDataAndRestoresTheWeightedCopies) {
  CSpectrum* s = AddFid(256, 1.0f);
  const std::vector<float> weighted = Floats(s->m_pWeighted, 256);
  CWindowFunctionsDialog dlg(&m_doc);
  dlg.m_Session.KeepWeightedCopies();
  dlg.m_crCurve = RGB(0, 128, 0);
  EXPECT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              ::SetWindowTextA(::GetDlgItem(d.m_hWnd, IDC_WF_LB), "3");
              d.SendMessage(WM_COMMAND, IDOK, 0);
            }));
  EXPECT_FLOAT_EQ(3.0f, s->m_pWindow->m_LB);
  ASSERT_NE(nullptr, s->m_pWindow->GetWeights());
  for (int i : {0, 17, 255})
    EXPECT_FLOAT_EQ((float)(s->m_pRawData[i] * s->m_pWindow->GetWeights()[i]), s->m_pData[i]) << i;
  EXPECT_EQ(weighted, Floats(s->m_pWeighted, 256));
  EXPECT_EQ(RGB(0, 128, 0), dlg.m_crCurve);
}

// A line ten complex points wide at half height, at 4000 Hz over 1024
// complex points: 39.06 Hz once a change refreshes the noise information.
TEST_F(WindowFunctionsDialogTest, TheNoiseInformationGivesTheLineWidthInHz) {
  CSpectrum* s = AddFid(2048, 1.0f);
  for (int i = 0; i < 2048; i++) {
    const double u = (i / 2 - 400) / 5.0;
    s->m_pData[i] = s->m_pRawData[i] = i % 2 ? 0.0f : (float)(1000.0 / (1.0 + u * u));
  }
  s->m_pWindow->m_LB = 0.0f;
  CWindowFunctionsDialog dlg(&m_doc);
  dlg.m_nType = CWindowFunction::Exponential;
  Run(dlg, [&](CDialog& d) {
    Enter(d, IDC_WF_LB, "0");
    EXPECT_NEAR(39.06, std::atof(TextOf(::GetDlgItem(d.m_hWnd, IDC_WF_LINE_WIDTH)).c_str()), 0.5);
    EXPECT_GT(std::atof(TextOf(::GetDlgItem(d.m_hWnd, IDC_WF_SIGNAL_NOISE)).c_str()), 1.0);
    d.SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
}

TEST_F(WindowFunctionsDialogTest, ScrollBarsSetTheirEditsWithinTheirRange) {
  CSpectrum* s = AddFid(256, 1.0f);
  s->m_pWindow->m_LB = 0.0f;
  s->m_pWindow->m_SineShift = 45.0f;
  CWindowFunctionsDialog dlg(&m_doc);
  dlg.m_nType = CWindowFunction::Exponential;
  struct Step {
    int nScroll, nCode, nPos;
    int nEdit;
    const char* pszText;
  };
  const Step steps[] = {
      {IDC_WF_LB_SCROLL, SB_LINERIGHT, 0, IDC_WF_LB, "0.1"},
      {IDC_WF_LB_SCROLL, SB_PAGELEFT, 0, IDC_WF_LB, "-0.3"},
      {IDC_WF_LB_SCROLL, SB_THUMBTRACK, -500, IDC_WF_LB, "-5.0"},  // negative 16-bit positions
      {IDC_WF_LB_SCROLL, SB_THUMBPOSITION, 1000, IDC_WF_LB, "10.0"},
      {IDC_WF_LB_SCROLL, SB_LINERIGHT, 0, IDC_WF_LB, "10.0"},  // held at the end
      {IDC_WF_SINE_SCROLL, SB_THUMBTRACK, -1000, IDC_WF_SINE_SHIFT, "0.0"},
      {IDC_WF_SINE_SCROLL, SB_THUMBTRACK, 1000, IDC_WF_SINE_SHIFT, "90.0"},
      {IDC_WF_GB_SCROLL, SB_ENDSCROLL, 0, IDC_WF_GB, "1.0"},  // refreshed from where it stands
  };
  Run(dlg, [&](CDialog& d) {
    EXPECT_EQ("45.0", TextOf(::GetDlgItem(d.m_hWnd, IDC_WF_SINE_SHIFT)));
    EXPECT_EQ(0, ::GetScrollPos(::GetDlgItem(d.m_hWnd, IDC_WF_SINE_SCROLL), SB_CTL));
    for (const Step& step : steps) {
      Scroll(d, step.nScroll, step.nCode, step.nPos);
      EXPECT_EQ(step.pszText, TextOf(::GetDlgItem(d.m_hWnd, step.nEdit))) << step.nScroll << " " << step.nCode;
    }
    d.SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FLOAT_EQ(10.0f, s->m_pWindow->m_LB);
  EXPECT_FLOAT_EQ(90.0f, s->m_pWindow->m_SineShift);
}

// A number typed into a parameter's field is applied key by key, before
// any Enter: the window takes it, the data are weighted with it and the
// field's bar follows.
TEST_F(WindowFunctionsDialogTest, ATypedParameterIsAppliedAsItIsTyped) {
  CSpectrum* s = AddFid(256, 1.0f);
  s->m_pWindow->m_LB = 0.0f;
  CWindowFunctionsDialog dlg(&m_doc);
  dlg.m_nType = CWindowFunction::Exponential;
  Run(dlg, [&](CDialog& d) {
    HWND lb = ::GetDlgItem(d.m_hWnd, IDC_WF_LB);
    d.GotoDlgCtrl(CWnd::FromHandle(lb));
    for (const char* pszTyped : {"3", "2.5"}) {
      ::SendMessageA(lb, EM_SETSEL, 0, -1);
      PostChars(lb, pszTyped);
      const float fLB = (float)std::atof(pszTyped);
      EXPECT_FLOAT_EQ(fLB, s->m_pWindow->m_LB) << pszTyped;
      EXPECT_EQ((int)(fLB * 100), ::GetScrollPos(::GetDlgItem(d.m_hWnd, IDC_WF_LB_SCROLL), SB_CTL)) << pszTyped;
      // Not ASSERT: the dialog must still be cancelled below.
      const double* pWeights = s->m_pWindow->GetWeights();
      EXPECT_NE(nullptr, pWeights);
      for (int i : {0, 101, 255})
        if (pWeights != nullptr)
          EXPECT_FLOAT_EQ((float)(s->m_pRawData[i] * pWeights[i]), s->m_pData[i]) << i;
    }
    d.SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
}

TEST_F(WindowFunctionsDialogTest, TheTypeShowsOnlyItsParameters) {
  AddFid(64, 1.0f);
  struct Case {
    int nType;
    bool bLB, bGB, bGaussShift, bSineShift;
  };
  const Case cases[] = {{0, true, false, false, false},  {1, true, false, true, false},
                        {2, true, true, false, false},   {4, false, false, false, true},
                        {7, false, false, false, false}, {9, true, false, false, false}};
  for (const Case& c : cases) {
    CWindowFunctionsDialog dlg(&m_doc);
    dlg.m_nType = c.nType;
    Run(dlg, [&](CDialog& d) {
      auto shown = [&](int nId) {
        return (::GetWindowLongA(::GetDlgItem(d.m_hWnd, nId), GWL_STYLE) & WS_VISIBLE) != 0;
      };
      EXPECT_EQ(c.bLB, shown(IDC_WF_LB) && shown(IDC_WF_LB_SCROLL) && shown(IDC_WF_LB_LABEL)) << c.nType;
      EXPECT_EQ(c.bGB, shown(IDC_WF_GB)) << c.nType;
      EXPECT_EQ(c.bGaussShift, shown(IDC_WF_GAUSS_SHIFT)) << c.nType;
      EXPECT_EQ(c.bSineShift, shown(IDC_WF_SINE_SHIFT) && shown(IDC_WF_SINE_LABEL)) << c.nType;
      d.SendMessage(WM_COMMAND, IDCANCEL, 0);
    });
  }
}

TEST_F(WindowFunctionsDialogTest, PenWidthOutsideOneToTenIsRefused) {
  CSpectrum* s = AddFid(64, 1.0f);
  s->m_pWindow->m_nPenWidth = 2;
  CWindowFunctionsDialog dlg(&m_doc);
  Run(dlg, [&](CDialog& d) {
    for (const char* pszWidth : {"11", "0"}) {
      Enter(d, IDC_WF_PEN_WIDTH, pszWidth);
      EXPECT_EQ("1", TextOf(::GetDlgItem(d.m_hWnd, IDC_WF_PEN_WIDTH))) << pszWidth;
      EXPECT_EQ(2, s->m_pWindow->m_nPenWidth) << pszWidth;
    }
    Enter(d, IDC_WF_PEN_WIDTH, "7");
    EXPECT_EQ(7, s->m_pWindow->m_nPenWidth);
    EXPECT_TRUE(::IsWindow(d.m_hWnd)) << "Enter does not close the dialog";
    d.SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  ASSERT_EQ(2u, m_messageBoxes.size());
  EXPECT_EQ("Must be between 1 and 10\ntry again", m_messageBoxes[0].text);
}

TEST_F(WindowFunctionsDialogTest, MoreOptionsUnfoldsAndFoldsTheDialog) {
  AddFid(64, 1.0f);
  for (int nOpening = 0; nOpening < 2; nOpening++) {
    CWindowFunctionsDialog dlg(&m_doc);
    Run(dlg, [&](CDialog& d) {
      auto height = [&] {
        RECT rc;
        ::GetWindowRect(d.m_hWnd, &rc);
        return rc.bottom - rc.top;
      };
      HWND more = ::GetDlgItem(d.m_hWnd, IDC_WF_MORE);
      const int nShort = height();
      EXPECT_EQ(" &More Options", TextOf(more)) << "every opening starts short";
      d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WF_MORE, BN_CLICKED), (LPARAM)more);
      EXPECT_GT(height(), nShort);
      EXPECT_EQ(" &Close Options", TextOf(more));
      d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WF_MORE, BN_CLICKED), (LPARAM)more);
      EXPECT_EQ(nShort, height());
      d.SendMessage(WM_COMMAND, IDCANCEL, 0);
    });
  }
}

}  // namespace
