#include "onedim/dialogs/display/PrintOutOptionsDlg.h"

#include <cmath>
#include <cstdlib>

BOOL CPrintOutOptionsDlg::OnInitDialog() {
  m_Thickness.SubclassDlgItem(IDC_PRINT_LINE_THICKNESS, this);
  m_Thickness.SetRange(0, 20);
  return CDialog::OnInitDialog();
}

void CPrintOutOptionsDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_PRINT_IN_COLOUR, m_bPrintInColour);
  DDX_Check(pDX, IDC_PRINT_BORDER, m_bPrintBorder);
  DDX_Check(pDX, IDC_PRINT_APPLY_ALL, m_bApplyToAll);
  CString text;
  if (!pDX->m_bSaveAndValidate)
    text.Format("%d", m_nLineThickness);
  DDX_Text(pDX, IDC_PRINT_LINE_THICKNESS, text);
  if (pDX->m_bSaveAndValidate) {
    // The field keeps to 0..20 as it is typed; an emptied field reads 0.
    const double dValue = std::atof(text);
    m_nLineThickness = std::isfinite(dValue) ? (int)std::fmax(0.0, std::fmin(dValue, 20.0)) : 0;
  }
}
