#include "onedim/dialogs/process/SpectrumArithmeticBar.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocTools.h"

BEGIN_MESSAGE_MAP(CSpectrumArithmeticBar, CSelfInitDialogBar)
  ON_WM_HSCROLL()
  ON_NOTIFY(UDN_DELTAPOS, IDC_ARITH_SHIFT_SPIN, OnShiftDeltaPos)
  ON_BN_CLICKED(IDC_ARITH_SELECT_A, OnSelectA)
  ON_BN_CLICKED(IDC_ARITH_SELECT_B, OnSelectB)
  ON_BN_CLICKED(IDC_ARITH_ADD, OnAdd)
  ON_BN_CLICKED(IDC_ARITH_SUBTRACT, OnSubtract)
  ON_BN_CLICKED(IDC_ARITH_TWICE, OnFactorTwice)
  ON_BN_CLICKED(IDC_ARITH_HALF, OnFactorHalf)
END_MESSAGE_MAP()

BOOL CSpectrumArithmeticBar::InitBarControls() {
  struct {
    CIconButton& button;
    int nId, nIcon;
  } icons[] = {{m_SelectA, IDC_ARITH_SELECT_A, IDI_ARITH_SELECT_A},
               {m_SelectB, IDC_ARITH_SELECT_B, IDI_ARITH_SELECT_B},
               {m_Add, IDC_ARITH_ADD, IDI_ARITH_ADD},
               {m_Subtract, IDC_ARITH_SUBTRACT, IDI_ARITH_SUBTRACT},
               {m_Close, IDC_ARITH_CLOSE, IDI_ARITH_CLOSE}};
  for (auto& icon : icons) {
    icon.button.SubclassDlgItem(icon.nId, this);
    icon.button.SetIcon(icon.nIcon);
    icon.button.SetShowText(FALSE);
  }
  m_SelectA.SetTipText("Select A");
  m_SelectB.SetTipText("Select B");
  m_Add.SetTipText("Add");
  m_Subtract.SetTipText("Subtract");
  m_Close.SetTipText("Close");
  m_ShiftBar.SubclassDlgItem(IDC_ARITH_SHIFT_BAR, this);
  m_FactorBar.SubclassDlgItem(IDC_ARITH_FACTOR_BAR, this);
  m_ShiftSpin.SubclassDlgItem(IDC_ARITH_SHIFT_SPIN, this);
  m_ShiftBar.SetScrollRange(0, 100);
  m_ShiftBar.SetScrollPos(50);
  SetFactorRange();
  return CSelfInitDialogBar::InitBarControls();
}

void CSpectrumArithmeticBar::Prepare(int td, float fBaseScale) {
  m_td = td;
  m_fBaseScale = fBaseScale;
  m_ShiftBar.SetScrollRange(-td / 2, td / 2);
  m_ShiftBar.SetScrollPos(0);
  m_ShiftSpin.SetRange(-td / 2, td / 2);
  m_ShiftSpin.SetPos(0);
  SetDlgItemText(IDC_ARITH_SHIFT, "0");
  SetFactorRange();
  m_FactorBar.SetScrollPos(100);
  SetDlgItemText(IDC_ARITH_FACTOR, "1.00");
}

void CSpectrumArithmeticBar::ShowFactor(LPCSTR pszFactor, int nScrollPos) {
  SetDlgItemText(IDC_ARITH_FACTOR, pszFactor);
  m_FactorBar.SetScrollPos(nScrollPos);
}

void CSpectrumArithmeticBar::SetFactorRange() {
  m_FactorBar.SetScrollRange(m_nLowerLimit * 100, m_nUpperLimit * 100);
}

int CSpectrumArithmeticBar::ShiftPosition(int nCode, int nPos, int nTrack, int nMax, int nPage, int td) {
  switch (nCode) {
    case SB_LINELEFT:
      return std::max(0, nPos - 10);
    case SB_LINERIGHT:
      return std::min(nMax - nPage + 1, nPos + 10);
    case SB_PAGELEFT:
      return nPos - td / 10;
    case SB_PAGERIGHT:
      return nPos + td / 10;
    case SB_THUMBTRACK:
      return nTrack;
    default:
      return nPos;
  }
}

int CSpectrumArithmeticBar::FactorPosition(int nCode, int nPos, int nTrack, int nMin, int nMax) {
  const int nPage = (nMax - nMin) / 50;
  switch (nCode) {
    case SB_LINELEFT:
      nPos -= 10;
      break;
    case SB_LINERIGHT:
      nPos += 10;
      break;
    case SB_PAGELEFT:
      nPos -= nPage;
      break;
    case SB_PAGERIGHT:
      nPos += nPage;
      break;
    default:
      nPos = nTrack;
      break;
  }
  return std::max(nMin, std::min(nPos, nMax));
}

// Where the thumb is: while it is dragged, in full (the message carries
// only 16 bits of it); otherwise where it stands, since the tracking
// position is kept only during a drag.
int CSpectrumArithmeticBar::ThumbPosition(CScrollBar& bar, UINT nSBCode) const {
  if (nSBCode != SB_THUMBTRACK && nSBCode != SB_THUMBPOSITION)
    return bar.GetScrollPos();
  SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = SIF_TRACKPOS;
  bar.GetScrollInfo(&info, SIF_TRACKPOS);
  return info.nTrackPos;
}

void CSpectrumArithmeticBar::ApplyShift(int nShift) {
  CBrivaneProDoc* pDoc = m_pfnActiveDoc();
  if (pDoc == nullptr || !pDoc->ShiftOperand(nShift))
    return;
  m_ShiftBar.SetScrollPos(nShift);
  char text[32];
  std::snprintf(text, sizeof(text), "%d", nShift);
  SetDlgItemText(IDC_ARITH_SHIFT, text);
}

void CSpectrumArithmeticBar::ApplyFactor(double dFactor) {
  CBrivaneProDoc* pDoc = m_pfnActiveDoc();
  if (pDoc == nullptr || !std::isfinite(dFactor) || !pDoc->ScaleOperand((float)dFactor, m_fBaseScale))
    return;
  m_FactorBar.SetScrollPos((int)std::lround(std::max(-2.0e9, std::min(dFactor * 100.0, 2.0e9))));
  char text[64];
  std::snprintf(text, sizeof(text), "%.2lf", dFactor);
  SetDlgItemText(IDC_ARITH_FACTOR, text);
}

void CSpectrumArithmeticBar::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  (void)nPos;
  CBrivaneProDoc* pDoc = m_pfnActiveDoc();
  const CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (pScrollBar == nullptr || s == nullptr || (s != pDoc->m_Arithmetic.m_pA && s != pDoc->m_Arithmetic.m_pB))
    return;
  int nMin = 0, nMax = 0;
  if (pScrollBar->GetDlgCtrlID() == IDC_ARITH_SHIFT_BAR) {
    m_ShiftBar.GetScrollRange(&nMin, &nMax);
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    m_ShiftBar.GetScrollInfo(&info, SIF_PAGE);
    const int nNew = ShiftPosition((int)nSBCode, m_ShiftBar.GetScrollPos(), ThumbPosition(m_ShiftBar, nSBCode), nMax,
                                   (int)info.nPage, m_td);
    ApplyShift(std::max(nMin, std::min(nNew, nMax)));
  } else if (pScrollBar->GetDlgCtrlID() == IDC_ARITH_FACTOR_BAR) {
    m_FactorBar.GetScrollRange(&nMin, &nMax);
    const int nNew =
        FactorPosition((int)nSBCode, m_FactorBar.GetScrollPos(), ThumbPosition(m_FactorBar, nSBCode), nMin, nMax);
    ApplyFactor(nNew * 0.01);
  }
}

void CSpectrumArithmeticBar::OnShiftDeltaPos(NMHDR* pNMHDR, LRESULT* pResult) {
  const NMUPDOWN* pUpDown = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
  ApplyShift(pUpDown->iPos + pUpDown->iDelta);
  *pResult = 0;
}

void CSpectrumArithmeticBar::OnSelectA() {
  if (CBrivaneProDoc* pDoc = m_pfnActiveDoc())
    pDoc->SelectOperand(FALSE);
}

void CSpectrumArithmeticBar::OnSelectB() {
  if (CBrivaneProDoc* pDoc = m_pfnActiveDoc())
    pDoc->SelectOperand(TRUE);
}

void CSpectrumArithmeticBar::OnAdd() {
  if (CBrivaneProDoc* pDoc = m_pfnActiveDoc())
    pDoc->CombineOperands(CSpectrumArithmetic::Add);
}

void CSpectrumArithmeticBar::OnSubtract() {
  if (CBrivaneProDoc* pDoc = m_pfnActiveDoc())
    pDoc->CombineOperands(CSpectrumArithmetic::Subtract);
}

void CSpectrumArithmeticBar::OnFactorTwice() {
  // Past this the scroll range (100 x the limit) would not fit an int.
  const int nMost = INT_MAX / 200;
  m_nUpperLimit = 2 * std::min(m_nUpperLimit == 0 ? 1 : m_nUpperLimit, nMost);
  SetFactorRange();
}

void CSpectrumArithmeticBar::OnFactorHalf() {
  m_nUpperLimit /= 2;
  SetFactorRange();
}

BOOL CSpectrumArithmeticBar::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd))) {
    const HWND hShift = ::GetDlgItem(m_hWnd, IDC_ARITH_SHIFT);
    const HWND hFactor = ::GetDlgItem(m_hWnd, IDC_ARITH_FACTOR);
    const bool bInEdit = pMsg->hwnd == hShift || pMsg->hwnd == hFactor;
    if (bInEdit && pMsg->wParam == VK_RETURN) {
      CString shift, factor;
      GetDlgItemText(IDC_ARITH_SHIFT, shift);
      GetDlgItemText(IDC_ARITH_FACTOR, factor);
      // Read as atoi and atof would, but a number out of range is held at
      // the limit (or refused as infinite) instead of being undefined.
      const long nShift = std::strtol(shift, nullptr, 10);
      ApplyShift((int)std::max<long>(INT_MIN, std::min<long>(nShift, INT_MAX)));
      ApplyFactor(std::strtod(factor, nullptr));
      return TRUE;
    }
    // Typing stays in the edits; every other key is the view's.
    CWnd* pView = m_pfnActiveView();
    if (!bInEdit && pView != nullptr && pView->GetSafeHwnd() != nullptr) {
      if (pMsg->wParam == VK_TAB)
        return pView->PreTranslateMessage(pMsg);
      pView->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
      return TRUE;
    }
  }
  return CSelfInitDialogBar::PreTranslateMessage(pMsg);
}
