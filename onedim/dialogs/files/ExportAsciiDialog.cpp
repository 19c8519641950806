#include "onedim/dialogs/files/ExportAsciiDialog.h"

namespace {

const int IDC_EXPORT_UNITS = 1315;
const int IDC_EXPORT_TITLE = 1316;
const int IDC_EXPORT_REAL = 1044;  // first of the radio group; 1045 "Real + Imaginary"

// The combo's entries in order, with the axis unit code of each.
const struct {
  const char* pszText;
  int nUnits;
} kUnits[] = {{"Seconds", 1}, {"ppm", 3}, {"Hertz", 2}, {"Points", 0}};

}  // namespace

void CExportAsciiDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_EXPORT_TITLE, m_bTitle);
  DDX_Radio(pDX, IDC_EXPORT_REAL, m_nComplex);
}

BOOL CExportAsciiDialog::OnInitDialog() {
  m_nComplex = 0;
  m_bTitle = TRUE;
  CDialog::OnInitDialog();
  int nSelection = -1;
  for (int i = 0; i < (int)(sizeof(kUnits) / sizeof(kUnits[0])); i++) {
    SendDlgItemMessage(IDC_EXPORT_UNITS, CB_ADDSTRING, 0, (LPARAM)kUnits[i].pszText);
    if (kUnits[i].nUnits == m_nUnits)
      nSelection = i;
  }
  SendDlgItemMessage(IDC_EXPORT_UNITS, CB_SETCURSEL, (WPARAM)nSelection);
  return TRUE;
}

void CExportAsciiDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;
  int nSelection = (int)SendDlgItemMessage(IDC_EXPORT_UNITS, CB_GETCURSEL);
  if (nSelection >= 0 && nSelection < (int)(sizeof(kUnits) / sizeof(kUnits[0])))
    m_nUnits = kUnits[nSelection].nUnits;
  EndDialog(IDOK);
}
