#include "onedim/dialogs/files/ExportOptionsDialog.h"

namespace {
const int IDC_EXPORT_DECIMALS = 1275;
const int IDC_EXPORT_COMMAS = 1244;  // first of the radio group; 1245 periods
}  // namespace

void CExportOptionsDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_EXPORT_DECIMALS, m_nDecimals);
  DDV_MinMaxInt(pDX, m_nDecimals, 0, 5);
  DDX_Radio(pDX, IDC_EXPORT_COMMAS, m_nSeparator);
}
