#include "onedim/dialogs/analysis/ReferenceIntegralDialog.h"

#include <cstdlib>

#include "framework/win/DataExchange.h"
#include "resources/BrivaneRes.h"

CReferenceIntegralDialog::CReferenceIntegralDialog(CWnd* pParent) : CDialog(IDD_REFERENCE_INTEGRAL, pParent) {}

BOOL CReferenceIntegralDialog::OnInitDialog() {
  m_Value.SubclassDlgItem(IDC_RI_VALUE, this);
  CDialog::OnInitDialog();
  CString text;
  text.Format("%.1lf", m_dValue);
  SetDlgItemText(IDC_RI_VALUE, text);
  return TRUE;
}

void CReferenceIntegralDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_RI_ALL, m_bAllSpectra);
}

// The edit is read as the C library reads a number: what is no number is 0.
void CReferenceIntegralDialog::OnOK() {
  char text[64] = "";
  ::GetDlgItemTextA(m_hWnd, IDC_RI_VALUE, text, sizeof text);
  m_dValue = std::atof(text);
  CDialog::OnOK();
}
