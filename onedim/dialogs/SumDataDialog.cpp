#include "onedim/dialogs/SumDataDialog.h"

namespace {
const int IDC_SUM_FACTOR = 1275;
}

void CSumDataDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_SUM_FACTOR, m_fFactor);
}
