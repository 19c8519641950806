#include "onedim/dialogs/shell/SumDataDialog.h"

void CSumDataDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_SUM_FACTOR, m_fFactor);
}
