#include "onedim/dialogs/process/PolynomialBaselineDialog.h"

#include "framework/win/Dc.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/processing/BaselineCorrection.h"

BEGIN_MESSAGE_MAP(CPolynomialBaselineDialog, CDialog)
  ON_WM_HSCROLL()
END_MESSAGE_MAP()

CPolynomialBaselineDialog::CPolynomialBaselineDialog(CBrivaneProDoc* pDoc, CWnd* pView, CWnd* pParent)
    : CDialog(IDD, pParent), m_pDoc(pDoc), m_pView(pView) {
  if (const CSpectrum* s = pDoc->GetCurrentSpectrum())
    m_Curve.resize((size_t)(s->m_paramsA.td / 2));
}

BOOL CPolynomialBaselineDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  for (int i = 0; i < 5; i++) {
    HWND hBar = ::GetDlgItem(m_hWnd, IDC_PB_ORDER0 + i);
    ::SetScrollRange(hBar, SB_CTL, (int)m_dLowest, (int)m_dHighest, FALSE);
    ::SetScrollPos(hBar, SB_CTL, (int)m_dCoefficients[i], TRUE);
  }
  const CSpectrum* s = m_pDoc->GetCurrentSpectrum();
  if (s != nullptr && m_pView != nullptr && m_pView->GetSafeHwnd() != nullptr) {
    // The zero line the curve is set against.
    CClientDC dc(m_pView);
    const int nMiddle = (s->m_rectPlot.top + s->m_rectPlot.bottom) / 2;
    dc.MoveTo(s->m_nLeftPixel, nMiddle);
    dc.LineTo(s->m_nRightPixel, nMiddle);
  }
  m_bCurveDrawn = FALSE;
  return TRUE;
}

void CPolynomialBaselineDialog::DrawCurve() {
  const CSpectrum* s = m_pDoc->GetCurrentSpectrum();
  if (s == nullptr || m_Curve.empty() || m_pView == nullptr || m_pView->GetSafeHwnd() == nullptr)
    return;
  const int nMiddle = (s->m_rectPlot.top + s->m_rectPlot.bottom) / 2;
  const std::vector<POINT> line =
      BaselinePreviewLine(m_Curve.data(), (int)m_Curve.size(), s->m_nLeftPixel, s->m_nRightPixel, nMiddle);
  CClientDC dc(m_pView);
  const int nOldRop = dc.SetROP2(R2_NOT);
  dc.Polyline(line.data(), (int)line.size());
  dc.SetROP2(nOldRop);
}

void CPolynomialBaselineDialog::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  const int nBar = pScrollBar != nullptr ? pScrollBar->GetDlgCtrlID() - IDC_PB_ORDER0 : -1;
  if (nBar < 0 || nBar > 4)
    return;
  const HWND hBar = pScrollBar->m_hWnd;
  const int nHalf = (int)m_dHighest;
  const int nPage = (int)((m_dHighest - m_dLowest) * 0.01);
  const int nNew = IntegralScrollPosition((int)nSBCode, ::GetScrollPos(hBar, SB_CTL), (short)nPos, nHalf, 10, nPage);
  ::SetScrollPos(hBar, SB_CTL, nNew, TRUE);
  m_dCoefficients[nBar] = nNew;
  if (m_bCurveDrawn)
    DrawCurve();
  const CSpectrum* s = m_pDoc->GetCurrentSpectrum();
  if (s == nullptr || (int)m_Curve.size() != s->m_paramsA.td / 2)
    return;
  PolynomialBaselineCurve(m_dCoefficients, s->m_paramsA.td, m_Curve.data());
  DrawCurve();
  m_bCurveDrawn = TRUE;
}

void CPolynomialBaselineDialog::OnOK() {
  m_pDoc->SubtractPolynomialBaseline(m_dCoefficients);
  m_Curve.clear();
  m_pDoc->UpdateViews();
  CDialog::OnOK();
}

void CPolynomialBaselineDialog::OnCancel() {
  m_Curve.clear();
  // The repaint takes the preview away.
  m_pDoc->UpdateViews();
  CDialog::OnCancel();
}
