#include "onedim/dialogs/analysis/IntegralThresholdDialog.h"

#include "framework/win/DataExchange.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Integral.h"
#include "onedim/model/Spectrum.h"
#include "resources/BrivaneRes.h"

CIntegralThresholdDialog::CIntegralThresholdDialog(CSpectrum* pSpectrum, CWnd* pParent)
    : CDialog(IDD_INTEGRAL_THRESHOLD, pParent), m_pSpectrum(pSpectrum) {
  m_dPercent = pSpectrum->m_dThresholdPercent;
  m_bDraw = pSpectrum->m_bDrawThreshold;
}

BOOL CIntegralThresholdDialog::OnInitDialog() {
  m_List.SubclassDlgItem(IDC_IT_LIST, this);
  m_List.SetExtendedStyle(0x965);  // grid lines, check boxes, full row, one click, flat, underline hot
  const char* titles[] = {"Integral", "From", "To"};
  for (int c = 0; c < 3; c++)
    m_List.InsertColumn(c, titles[c], LVCFMT_LEFT, 90);
  const CSpectrum& s = *m_pSpectrum;
  for (int i = 0; i < (int)s.m_arrIntegrals.GetSize(); i++) {
    const CIntegral* pIntegral = static_cast<const CIntegral*>(s.m_arrIntegrals.GetAt(i));
    CString text;
    text.Format("%d", i + 1);
    const int nItem = m_List.InsertItem(i, text);
    text.Format("%.2lf", s.ConvertUnits(pIntegral->m_nStart, AXIS_UNITS_PPM));
    m_List.SetItemText(nItem, 1, text);
    text.Format("%.2lf", s.ConvertUnits(pIntegral->m_nEnd, AXIS_UNITS_PPM));
    m_List.SetItemText(nItem, 2, text);
    m_List.SetCheck(nItem, pIntegral->m_bThresholding != 0);
  }
  return CDialog::OnInitDialog();
}

void CIntegralThresholdDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_IT_PERCENT, m_dPercent);
  DDV_MinMaxDouble(pDX, m_dPercent, 0.0, 100.0);
  DDX_Check(pDX, IDC_IT_DRAW, m_bDraw);
}

void CIntegralThresholdDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;
  CSpectrum& s = *m_pSpectrum;
  for (int i = 0; i < (int)s.m_arrIntegrals.GetSize() && i < m_List.GetItemCount(); i++) {
    // On unless the state image is the unchecked one.
    const UINT nState = m_List.GetItemState(i, LVIS_STATEIMAGEMASK);
    static_cast<CIntegral*>(s.m_arrIntegrals.GetAt(i))->m_bThresholding = nState != INDEXTOSTATEIMAGEMASK(1);
  }
  s.m_dThresholdPercent = m_dPercent;
  s.m_bDrawThreshold = m_bDraw ? 1 : 0;
  EndDialog(IDOK);
}
