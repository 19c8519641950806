#include "onedim/dialogs/display/SetLimitsDlg.h"

#include <algorithm>
#include <cstdlib>

#include "framework/win/UiHooks.h"

BOOL CSetLimitsDlg::OnInitDialog() {
  m_Units.SubclassDlgItem(IDC_LIMITS_UNITS, this);
  m_From.SubclassDlgItem(IDC_LIMITS_FROM, this);
  m_To.SubclassDlgItem(IDC_LIMITS_TO, this);
  static const char* const kUnits[] = {"Units: Points", "Units: Seconds", "Units: Hz", "Units: ppm"};
  m_Units.SetText(kUnits[std::max(0, std::min(m_nUnits, 3))]).SetTextColor(RGB(0, 0, 255));
  return CDialog::OnInitDialog();
}

void CSetLimitsDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  if (!pDX->m_bSaveAndValidate) {
    CString text;
    text.Format("%.2lf", m_dFrom);
    SetDlgItemText(IDC_LIMITS_FROM, text);
    text.Format("%.2lf", m_dTo);
    SetDlgItemText(IDC_LIMITS_TO, text);
    return;
  }
  // Whatever atof makes of the texts; what lies beyond the data is clamped
  // by the caller.
  CString strFrom, strTo;
  DDX_Text(pDX, IDC_LIMITS_FROM, strFrom);
  DDX_Text(pDX, IDC_LIMITS_TO, strTo);
  const double dFrom = std::atof(strFrom);
  const double dTo = std::atof(strTo);
  if (dFrom == dTo) {
    pDX->PrepareEditCtrl(IDC_LIMITS_TO);
    AfxMessageBox("Please enter two different limits.", MB_ICONEXCLAMATION);
    pDX->Fail();
  }
  m_dFrom = dFrom;
  m_dTo = dTo;
}
