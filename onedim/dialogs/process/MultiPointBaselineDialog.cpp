#include "onedim/dialogs/process/MultiPointBaselineDialog.h"

#include "framework/win/DataExchange.h"
#include "onedim/document/BrivaneProDoc.h"

namespace {

const char* const kOrders[] = {"Linear (1)", "Quadratic (2)", "Cubic (3)", "Quartic (4)", "Quintic (5)", "Sextic (6)"};

}  // namespace

BEGIN_MESSAGE_MAP(CMultiPointBaselineDialog, CBaseDialog)
  ON_WM_LBUTTONDOWN()
  ON_CBN_SELCHANGE(IDC_MPB_ORDER, OnOrderChange)
  ON_BN_CLICKED(IDC_MPB_FIT_TRACE, OnFitOntoTrace)
  ON_BN_CLICKED(IDC_MPB_COMPUTE, OnCompute)
  ON_BN_CLICKED(IDC_MPB_SUBTRACT, OnSubtractFit)
END_MESSAGE_MAP()

CMultiPointBaselineDialog::CMultiPointBaselineDialog(CBrivaneProDoc* pDoc, CWnd* pParent,
                                                     CMultiPointBaselineDialog** ppOpen)
    : CBaseDialog(IDD, pParent), m_pDoc(pDoc), m_ppOpen(ppOpen) {
  m_bFitOntoTrace = pDoc->m_bFitOntoTrace;
}

void CMultiPointBaselineDialog::DoDataExchange(CDataExchange* pDX) {
  CBaseDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_MPB_FIT_TRACE, m_bFitOntoTrace);
}

BOOL CMultiPointBaselineDialog::OnInitDialog() {
  m_Order.SubclassDlgItem(IDC_MPB_ORDER, this);
  CBaseDialog::OnInitDialog();
  const bool bAutoFit = m_pDoc->m_bFitKind != 0;
  const int kMultiOnly[] = {IDOK, IDC_MPB_TEXT_MULTI};
  const int kFitOnly[] = {IDC_MPB_COMPUTE, IDC_MPB_ORDER, IDC_MPB_SUBTRACT, IDC_MPB_TEXT_FIT};
  for (int nId : kMultiOnly)
    ::ShowWindow(::GetDlgItem(m_hWnd, nId), bAutoFit ? SW_HIDE : SW_SHOW);
  for (int nId : kFitOnly)
    ::ShowWindow(::GetDlgItem(m_hWnd, nId), bAutoFit ? SW_SHOW : SW_HIDE);
  for (const char* pszOrder : kOrders)
    m_Order.AddString(pszOrder);
  // The list shows the straight line that n = 2 coefficients make.
  m_nCoefficients = 2;
  m_Order.SetCurSel(m_nCoefficients - 2);
  return TRUE;
}

// Without a caption, the whole window is its handle.
void CMultiPointBaselineDialog::OnLButtonDown(UINT nFlags, CPoint point) {
  (void)nFlags;
  ClientToScreen(&point);
  PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

void CMultiPointBaselineDialog::OnOrderChange() {
  const int nSelected = m_Order.GetCurSel();
  if (nSelected >= 0)
    m_nCoefficients = nSelected + 2;
}

void CMultiPointBaselineDialog::OnFitOntoTrace() {
  UpdateData(TRUE);
  m_pDoc->m_bFitOntoTrace = m_bFitOntoTrace ? 1 : 0;
}

void CMultiPointBaselineDialog::OnCompute() {
  m_pDoc->ComputeBaseline(m_nCoefficients, m_Baseline);
}

void CMultiPointBaselineDialog::OnSubtractFit() {
  m_pDoc->SubtractComputedBaseline(m_Baseline);
  m_Baseline.clear();
  CBaseDialog::OnOK();
}

void CMultiPointBaselineDialog::OnOK() {
  m_pDoc->SubtractMultiPointBaseline();
  m_Baseline.clear();
  CBaseDialog::OnOK();
}

void CMultiPointBaselineDialog::OnCancel() {
  m_pDoc->EndBaselinePoints();
  m_Baseline.clear();
  CBaseDialog::OnCancel();
}

void CMultiPointBaselineDialog::PostNcDestroy() {
  if (m_ppOpen != nullptr && *m_ppOpen == this)
    *m_ppOpen = nullptr;
  CBaseDialog::PostNcDestroy();
}
