// The baseline and soft-thresholding dialogs on their templates, over a
// window that stands for the view: the polynomial's preview drawn and taken
// away by inversion, the points dialog in its two modes and every way out of
// it, and the threshold bar and the zero-fill count of soft thresholding.
#include <functional>
#include <string>
#include <vector>

#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "framework/win/Wnd.h"
#include "onedim/dialogs/process/MultiPointBaselineDialog.h"
#include "onedim/dialogs/process/PolynomialBaselineDialog.h"
#include "onedim/dialogs/process/SoftThresholdingDialog.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"
#include "resources/BrivaneRes.h"

namespace {

// A host whose view is 400 x 300 and whose message boxes are kept.
class CViewHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  BOOL GetViewClientRect(RECT* pRect) override {
    *pRect = {0, 0, 400, 300};
    return TRUE;
  }
  int ShowMessage(LPCSTR pszText, UINT) override {
    m_messages.push_back(pszText);
    return IDOK;
  }
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
  std::vector<std::string> m_messages;
};

class BaselineDialogsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    CSpectrumParams params;
    params.td = 1024;
    params.sw = 4000.0;
    params.sf = 400.0;
    params.aqmode = 1;
    m_s = m_doc.AddSpectrum(params);
    m_s->m_pData = CSpectrum::AllocateFloats(params.td);
    m_s->m_pRawData = CSpectrum::AllocateFloats(params.td);
    for (int i = 0; i < params.td; i++)
      m_s->m_pData[i] = m_s->m_pRawData[i] = (float)(500 + i % 97);
    m_doc.SetCurrentSpectrum(m_s);
    m_doc.RefreshAfterAdd();
    m_s->FindMaximum();
    // The view: a white window as large as the host says.
    m_hView = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_WHITERECT, 0, 0, 400, 300, nullptr,
                                nullptr, nullptr, nullptr);
    m_view.Attach(m_hView);
    PumpPending();
  }
  void TearDown() override {
    m_view.Detach();
    ::DestroyWindow(m_hView);
    WindowTest::TearDown();
  }
  static INT_PTR Run(CDialog& dlg, const std::function<void(CDialog&)>& act) {
    AfxSetModalDialogHook([&](CDialog& d) { act(d); });
    const INT_PTR nResult = dlg.DoModal();
    AfxSetModalDialogHook(nullptr);
    return nResult;
  }
  COLORREF ViewPixel(int x, int y) const {
    HDC hDC = ::GetDC(m_hView);
    const COLORREF cr = ::GetPixel(hDC, x, y);
    ::ReleaseDC(m_hView, hDC);
    return cr;
  }
  std::vector<float> Data() const { return std::vector<float>(m_s->m_pData, m_s->m_pData + 1024); }
  int Middle() const { return (m_s->m_rectPlot.top + m_s->m_rectPlot.bottom) / 2; }

  CViewHost m_host;
  CBrivaneProDoc m_doc{&m_host};
  CSpectrum* m_s = nullptr;
  HWND m_hView = nullptr;
  CWnd m_view;
};

// Each move of a bar draws the new curve over the view and takes the old one
// away; Cancel leaves the data, OK takes the curve off them.
TEST_F(BaselineDialogsTest, PolynomialPreviewFollowsTheBarsAndOkSubtractsIt) {
  const std::vector<float> before = Data();
  for (int nEnd : {IDCANCEL, IDOK}) {
    CPolynomialBaselineDialog dlg(&m_doc, &m_view);
    Run(dlg, [&](CDialog& d) {
      HWND hBar = ::GetDlgItem(d.m_hWnd, IDC_PB_ORDER0);
      int nMin = 0, nMax = 0;
      ::GetScrollRange(hBar, SB_CTL, &nMin, &nMax);
      EXPECT_EQ(-200, nMin);
      EXPECT_EQ(200, nMax);
      const int y = Middle();
      EXPECT_EQ(RGB(0, 0, 0), ViewPixel(200, y)) << "the zero line";
      // Line right: 10 pixels below the zero line, parallel to it.
      d.SendMessage(WM_HSCROLL, SB_LINERIGHT, (LPARAM)hBar);
      EXPECT_EQ(10, ::GetScrollPos(hBar, SB_CTL));
      EXPECT_EQ(RGB(0, 0, 0), ViewPixel(50, y + 10));
      EXPECT_EQ(RGB(0, 0, 0), ViewPixel(350, y + 10));
      // Page right: 4 more; the old curve is gone.
      d.SendMessage(WM_HSCROLL, SB_PAGERIGHT, (LPARAM)hBar);
      EXPECT_EQ(14, ::GetScrollPos(hBar, SB_CTL));
      EXPECT_EQ(RGB(255, 255, 255), ViewPixel(200, y + 10));
      EXPECT_EQ(RGB(0, 0, 0), ViewPixel(200, y + 14));
      d.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 500), (LPARAM)hBar);
      EXPECT_EQ(200, ::GetScrollPos(hBar, SB_CTL)) << "kept within the limits";
      d.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 10), (LPARAM)hBar);
      d.SendMessage(WM_COMMAND, nEnd, 0);
    });
    if (nEnd == IDCANCEL) {
      EXPECT_EQ(before, Data());
    }
  }
  // OK with c0 at 10 pixels below the zero line lifted the trace 10 pixels.
  const double dPixel = m_s->m_fMaxValue / (m_s->m_fVerticalScale * m_s->m_fIntensityStep);
  for (int i = 0; i < 1024; i++)
    ASSERT_NEAR(before[(size_t)i] + 10 * dPixel, m_s->m_pData[i], 1e-3) << i;
}

TEST_F(BaselineDialogsTest, PointsDialogShowsItsModeAndEveryWayOutEndsThePicking) {
  const struct {
    BYTE bKind;
    int nEnd;
    bool bSubtracts;
  } cases[] = {{0, IDCANCEL, false}, {0, IDOK, true}, {1, IDCANCEL, false}, {1, IDC_MPB_SUBTRACT, true}};
  for (const auto& c : cases) {
    const std::vector<float> before = Data();
    ASSERT_TRUE(m_doc.StartBaselinePoints(c.bKind));
    m_doc.AddBaselinePoint(200, 0);
    CMultiPointBaselineDialog* pOpen = nullptr;
    CMultiPointBaselineDialog* pDialog = new CMultiPointBaselineDialog(&m_doc, nullptr, &pOpen);
    pDialog->SetModeless(true);
    pOpen = pDialog;
    ASSERT_TRUE(pDialog->Create(CMultiPointBaselineDialog::IDD, nullptr));
    const HWND hDlg = pDialog->m_hWnd;
    ::ShowWindow(hDlg, SW_SHOWNOACTIVATE);
    const bool bFit = c.bKind == 1;
    EXPECT_EQ(!bFit, ::IsWindowVisible(::GetDlgItem(hDlg, IDOK)) != FALSE);
    EXPECT_EQ(!bFit, ::IsWindowVisible(::GetDlgItem(hDlg, IDC_MPB_TEXT_MULTI)) != FALSE);
    EXPECT_EQ(bFit, ::IsWindowVisible(::GetDlgItem(hDlg, IDC_MPB_COMPUTE)) != FALSE);
    EXPECT_EQ(bFit, ::IsWindowVisible(::GetDlgItem(hDlg, IDC_MPB_ORDER)) != FALSE);
    EXPECT_EQ(bFit, ::IsWindowVisible(::GetDlgItem(hDlg, IDC_MPB_SUBTRACT)) != FALSE);
    EXPECT_EQ(bFit, ::IsWindowVisible(::GetDlgItem(hDlg, IDC_MPB_TEXT_FIT)) != FALSE);
    HWND hOrder = ::GetDlgItem(hDlg, IDC_MPB_ORDER);
    EXPECT_EQ(6, (int)::SendMessageA(hOrder, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, (int)::SendMessageA(hOrder, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(2, pDialog->m_nCoefficients) << "a straight line, as shown";
    if (bFit) {
      // A cubic wants four points; three give the message and nothing computed.
      ::SendMessageA(hOrder, CB_SETCURSEL, 2, 0);
      ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_MPB_ORDER, CBN_SELCHANGE), (LPARAM)hOrder);
      EXPECT_EQ(4, pDialog->m_nCoefficients);
      ::SendMessageA(hDlg, WM_COMMAND, IDC_MPB_COMPUTE, 0);
      ASSERT_EQ(1u, m_host.m_messages.size());
      EXPECT_EQ("Not enough points defined to fit selected function\nMin. # Points=4", m_host.m_messages[0]);
      m_host.m_messages.clear();
      ::SendMessageA(hOrder, CB_SETCURSEL, 0, 0);
      ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_MPB_ORDER, CBN_SELCHANGE), (LPARAM)hOrder);
      ::SendMessageA(hDlg, WM_COMMAND, IDC_MPB_COMPUTE, 0);
      EXPECT_EQ(1, m_doc.m_bBaselineToSubtract);
    }
    // Fit onto Trace goes to the document.
    ::CheckDlgButton(hDlg, IDC_MPB_FIT_TRACE, BST_UNCHECKED);
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_MPB_FIT_TRACE, BN_CLICKED), 0);
    EXPECT_EQ(0, m_doc.m_bFitOntoTrace);
    m_doc.m_bFitOntoTrace = 1;

    ::SendMessageA(hDlg, WM_COMMAND, c.nEnd, 0);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hDlg));
    EXPECT_EQ(nullptr, pOpen);
    EXPECT_EQ(MOUSE_NONE, m_doc.m_nMouseMode);
    EXPECT_EQ(0, m_doc.m_bBaselineInProgress);
    EXPECT_EQ(nullptr, m_doc.m_pBaselinePoints);
    EXPECT_EQ(nullptr, m_doc.m_pBaselineCurve);
    EXPECT_EQ(c.bSubtracts, before != Data()) << (int)c.bKind << " " << c.nEnd;
  }
}

TEST_F(BaselineDialogsTest, ThresholdBarStaysWithinItsRange) {
  const struct {
    int nCode, nPos, nTrack, nExpected;
  } cases[] = {
      {SB_PAGELEFT, 0, 0, 0},       {SB_LINELEFT, 0, 0, 0},      {SB_LINERIGHT, 5, 0, 6},
      {SB_PAGELEFT, 50, 0, 47},     {SB_PAGERIGHT, 50, 0, 52},   {SB_PAGERIGHT, 199, 0, 200},
      {SB_THUMBTRACK, 0, 150, 150}, {SB_THUMBPOSITION, 0, 900, 200}, {SB_ENDSCROLL, 17, 0, 17},
  };
  for (const auto& c : cases)  // range 200, middle 300
    EXPECT_EQ(c.nExpected, CSoftThresholdingDialog::ScrollPosition(c.nCode, c.nPos, c.nTrack, 200, 300))
        << c.nCode << " from " << c.nPos;
}

// The dialog opens with 20 passes, the line 5 pixels above the zero line and
// twice td to fill to; Change takes the Zero Filling dialog's size, Go runs.
TEST_F(BaselineDialogsTest, SoftThresholdingOpensOnItsDefaultsAndGoExtends) {
  CSoftThresholdingDialog dlg(&m_doc, &m_view);
  // One hook for both: the Zero Filling dialog that Change opens answers 4096.
  Run(dlg, [&](CDialog& d) {
    if (HWND hPoints = ::GetDlgItem(d.m_hWnd, IDC_ZF_POINTS)) {
      ::SetWindowTextA(hPoints, "4096");
      d.SendMessage(WM_COMMAND, IDOK, 0);
      return;
    }
    EXPECT_EQ("20", TextOf(::GetDlgItem(d.m_hWnd, IDC_IST_ITERATIONS)));
    EXPECT_EQ("2048", TextOf(::GetDlgItem(d.m_hWnd, IDC_IST_ZERO_FILL)));
    HWND hBar = ::GetDlgItem(d.m_hWnd, IDC_IST_THRESHOLD);
    EXPECT_EQ(5, ::GetScrollPos(hBar, SB_CTL));
    EXPECT_EQ(RGB(0, 0, 0), ViewPixel(200, Middle() - 5));
    d.SendMessage(WM_HSCROLL, SB_LINERIGHT, (LPARAM)hBar);
    EXPECT_EQ(RGB(255, 255, 255), ViewPixel(200, Middle() - 5));
    EXPECT_EQ(RGB(0, 0, 0), ViewPixel(200, Middle() - 6));

    d.SendMessage(WM_COMMAND, IDC_IST_CHANGE, 0);
    EXPECT_EQ("4096", TextOf(::GetDlgItem(d.m_hWnd, IDC_IST_ZERO_FILL)));
    ::SetDlgItemTextA(d.m_hWnd, IDC_IST_ITERATIONS, "3");
    d.SendMessage(WM_COMMAND, IDC_IST_GO, 0);
    EXPECT_EQ(4096, m_s->m_paramsA.td);
    d.SendMessage(WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(m_host.m_messages.empty());
}

}  // namespace
