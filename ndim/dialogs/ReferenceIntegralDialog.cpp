#include "ndim/dialogs/ReferenceIntegralDialog.h"

#include "framework/win/DataExchange.h"

void CReferenceIntegralDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_REFERENCE_INTEGRAL, m_dValue);
}
