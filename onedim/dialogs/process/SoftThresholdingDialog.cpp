#include "onedim/dialogs/process/SoftThresholdingDialog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "framework/win/Dc.h"
#include "onedim/dialogs/process/ProcessDialogs.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"

BEGIN_MESSAGE_MAP(CSoftThresholdingDialog, CDialog)
  ON_WM_HSCROLL()
  ON_BN_CLICKED(IDC_IST_CHANGE, OnChange)
  ON_BN_CLICKED(IDC_IST_GO, OnGo)
END_MESSAGE_MAP()

CSoftThresholdingDialog::CSoftThresholdingDialog(CBrivaneProDoc* pDoc, CWnd* pView, CWnd* pParent)
    : CDialog(IDD, pParent), m_pDoc(pDoc), m_pView(pView) {}

int CSoftThresholdingDialog::ScrollPosition(int nCode, int nPos, int nTrack, int nRange, int nMiddle) {
  switch (nCode) {
    case SB_LINELEFT:
      nPos -= 1;
      break;
    case SB_LINERIGHT:
      nPos += 1;
      break;
    case SB_PAGELEFT:
      nPos -= nMiddle / 100;
      break;
    case SB_PAGERIGHT:
      nPos += nRange / 100;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      nPos = nTrack;
      break;
    default:
      break;
  }
  return std::max(0, std::min(nPos, nRange));
}

BOOL CSoftThresholdingDialog::OnInitDialog() {
  m_Spin.SubclassDlgItem(IDC_IST_SPIN, this);
  m_Threshold.SubclassDlgItem(IDC_IST_THRESHOLD, this);
  m_ZeroFillLabel.SubclassDlgItem(IDC_IST_ZERO_FILL, this);
  CDialog::OnInitDialog();
  m_Spin.SetRange(0, 10000);
  SetDlgItemText(IDC_IST_ITERATIONS, "20");
  const CSpectrum* s = m_pDoc->GetCurrentSpectrum();
  if (s == nullptr)
    return TRUE;
  m_nMiddleY = (s->m_rectPlot.top + s->m_rectPlot.bottom) / 2;
  m_nThresholdY = s->ValueToY((float)s->YToValue(m_nMiddleY - 5));
  int nLargest = 0;
  for (int i = 2; s->m_pData != nullptr && i < s->m_paramsA.td; i += 2)
    if (std::fabs(s->m_pData[i]) > std::fabs(s->m_pData[nLargest]))
      nLargest = i;
  m_nMaxY = s->PointToY(nLargest);
  m_Threshold.SetScrollRange(0, std::abs(m_nMaxY - m_nMiddleY));
  m_Threshold.SetScrollPos(std::abs(m_nMiddleY - m_nThresholdY));
  m_bDrawn = FALSE;
  DrawThreshold();
  m_nZeroFill = 2 * s->m_paramsA.td;
  ShowZeroFill();
  return TRUE;
}

void CSoftThresholdingDialog::ShowZeroFill() {
  char text[32];
  std::snprintf(text, sizeof(text), "%d", m_nZeroFill);
  m_ZeroFillLabel.SetTextColor(RGB(0, 0, 255)).SetText(text);
}

void CSoftThresholdingDialog::EraseThreshold() {
  if (m_bDrawn && InvertLine(m_nDrawnY))
    m_bDrawn = FALSE;
}

void CSoftThresholdingDialog::DrawThreshold() {
  EraseThreshold();
  if (InvertLine(m_nThresholdY)) {
    m_nDrawnY = m_nThresholdY;
    m_bDrawn = TRUE;
  }
}

// Drawn twice at one place, the line is gone again.
BOOL CSoftThresholdingDialog::InvertLine(int y) {
  const CSpectrum* s = m_pDoc->GetCurrentSpectrum();
  if (s == nullptr || m_pView == nullptr || m_pView->GetSafeHwnd() == nullptr)
    return FALSE;
  CClientDC dc(m_pView);
  const int nOldRop = dc.SetROP2(R2_NOT);
  dc.MoveTo(s->m_nLeftPixel, y);
  dc.LineTo(s->m_nRightPixel, y);
  dc.SetROP2(nOldRop);
  return TRUE;
}

void CSoftThresholdingDialog::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  if (pScrollBar == nullptr || pScrollBar->GetDlgCtrlID() != IDC_IST_THRESHOLD)
    return;
  int nMin = 0, nRange = 0;
  m_Threshold.GetScrollRange(&nMin, &nRange);
  const int nNew = ScrollPosition((int)nSBCode, m_Threshold.GetScrollPos(), (int)nPos, nRange, m_nMiddleY);
  m_Threshold.SetScrollPos(nNew);
  m_nThresholdY = m_nMiddleY - nNew;
  DrawThreshold();
}

void CSoftThresholdingDialog::OnChange() {
  CZeroFillingDialog dlg(this);
  dlg.m_nPoints = m_nZeroFill;
  if (dlg.DoModal() != IDOK)
    return;
  m_nZeroFill = dlg.m_nPoints;
  ShowZeroFill();
}

void CSoftThresholdingDialog::OnGo() {
  const int nIterations = (int)GetDlgItemInt(IDC_IST_ITERATIONS);
  EraseThreshold();
  m_pDoc->SoftThresholding(nIterations, m_nZeroFill, m_nThresholdY);
  // The line goes back over the redrawn spectrum.
  if (m_pView != nullptr && m_pView->GetSafeHwnd() != nullptr)
    m_pView->UpdateWindow();
  DrawThreshold();
}

void CSoftThresholdingDialog::OnOK() {
  EraseThreshold();
  CDialog::OnOK();
}

void CSoftThresholdingDialog::OnCancel() {
  EraseThreshold();
  CDialog::OnCancel();
}
