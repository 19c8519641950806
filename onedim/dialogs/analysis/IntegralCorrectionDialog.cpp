#include "onedim/dialogs/analysis/IntegralCorrectionDialog.h"

#include "framework/win/Controls.h"
#include "framework/win/UiHooks.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "resources/BrivaneRes.h"

namespace {

const UINT kBars[2] = {IDC_IC_BIAS, IDC_IC_SLOPE};
const UINT kEdits[2] = {IDC_IC_BIAS_EDIT, IDC_IC_SLOPE_EDIT};
const UINT kMins[2] = {IDC_IC_BIAS_MIN, IDC_IC_SLOPE_MIN};
const UINT kMaxes[2] = {IDC_IC_BIAS_MAX, IDC_IC_SLOPE_MAX};

CString Formatted(LPCSTR pszFormat, double dValue) {
  CString text;
  text.Format(pszFormat, dValue);
  return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CIntegralCorrectionDialog, CBaseDialog)
  ON_WM_HSCROLL()
  ON_BN_CLICKED(IDC_IC_APPLY, OnApply)
  ON_BN_CLICKED(IDC_IC_ALL, OnApplyToAll)
  ON_BN_CLICKED(IDC_IC_BIAS_TWICE, OnBiasTwice)
  ON_BN_CLICKED(IDC_IC_BIAS_HALF, OnBiasHalf)
  ON_BN_CLICKED(IDC_IC_SLOPE_TWICE, OnSlopeTwice)
  ON_BN_CLICKED(IDC_IC_SLOPE_HALF, OnSlopeHalf)
END_MESSAGE_MAP()

CIntegralCorrectionDialog::CIntegralCorrectionDialog(PFNACTIVEDOC pfnActiveDoc, CWnd* pParent)
    : CBaseDialog(IDD_INTEGRAL_CORRECTION, pParent), m_pfnActiveDoc(pfnActiveDoc) {}

BOOL CIntegralCorrectionDialog::ApplyToAll() const {
  return IsDlgButtonChecked(IDC_IC_ALL) != 0;
}

BOOL CIntegralCorrectionDialog::CreateModeless(CWnd* pParent) {
  SetModeless(true);
  return Create(IDD_INTEGRAL_CORRECTION, pParent);
}

BOOL CIntegralCorrectionDialog::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  for (int nBar = 0; nBar < 2; nBar++) {
    ::SetScrollRange(::GetDlgItem(m_hWnd, kBars[nBar]), SB_CTL, -m_nHalfRange[nBar], m_nHalfRange[nBar], TRUE);
    ::SetScrollPos(::GetDlgItem(m_hWnd, kBars[nBar]), SB_CTL, 0, TRUE);
    SetDlgItemText(kEdits[nBar], "0.00");
    ShowLimits(nBar);
  }
  return TRUE;
}

void CIntegralCorrectionDialog::ShowLimits(int nBar) {
  CString text;
  text.Format("-%d", m_nHalfRange[nBar]);
  SetDlgItemText(kMins[nBar], text);
  text.Format("%d", m_nHalfRange[nBar]);
  SetDlgItemText(kMaxes[nBar], text);
}

void CIntegralCorrectionDialog::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  CBrivaneProDoc* pDoc = m_pfnActiveDoc();
  const int nBar = pScrollBar != nullptr && pScrollBar->GetDlgCtrlID() == IDC_IC_SLOPE ? 1 : 0;
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (pScrollBar == nullptr || s == nullptr || (s->m_pSelectedIntegral == nullptr && !ApplyToAll()))
    return;
  const HWND hBar = pScrollBar->m_hWnd;
  const int nHalf = m_nHalfRange[nBar];
  const int nNew =
      IntegralScrollPosition((int)nSBCode, ::GetScrollPos(hBar, SB_CTL), (short)nPos, nHalf, 10, nHalf / 25);
  ::SetScrollPos(hBar, SB_CTL, nNew, TRUE);
  SetDlgItemText(kEdits[nBar], Formatted("%.2lf", nNew));
  pDoc->SetIntegralCorrection(nBar == 1, nNew, ApplyToAll());
}

void CIntegralCorrectionDialog::ChangeRange(int nBar, int nMultiply, int nDivide) {
  m_nHalfRange[nBar] = m_nHalfRange[nBar] * nMultiply / nDivide;
  const HWND hBar = ::GetDlgItem(m_hWnd, kBars[nBar]);
  const int nPos = ::GetScrollPos(hBar, SB_CTL);
  ::SetScrollRange(hBar, SB_CTL, -m_nHalfRange[nBar], m_nHalfRange[nBar], FALSE);
  ::SetScrollPos(hBar, SB_CTL, nPos, TRUE);
  CString text;
  text.Format("%d", nPos);
  SetDlgItemText(kEdits[nBar], text);
  ShowLimits(nBar);
}

void CIntegralCorrectionDialog::OnApply() {
  if (CBrivaneProDoc* pDoc = m_pfnActiveDoc())
    pDoc->AutoCorrectIntegrals(ApplyToAll());
  DestroyWindow();
}

void CIntegralCorrectionDialog::OnCancel() {
  if (CBrivaneProDoc* pDoc = m_pfnActiveDoc())
    pDoc->RestoreIntegralCorrection(0.0, 0.0, ApplyToAll());
  CBaseDialog::OnCancel();
}

void CIntegralCorrectionDialog::OnApplyToAll() {
  CBrivaneProDoc* pDoc = m_pfnActiveDoc();
  const CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (s == nullptr || s->m_pSelectedIntegral == nullptr) {
    AfxMessageBox("sorry, you need at least one integral selected\n");
    CheckDlgButton(IDC_IC_ALL, BST_CHECKED);
  }
}
