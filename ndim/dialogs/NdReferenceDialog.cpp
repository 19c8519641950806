#include "ndim/dialogs/NdReferenceDialog.h"

#include "resources/BrivanenDRes.h"

// "Rem. All" empties the list as Remove All does; a button that did nothing
// would only puzzle.
BEGIN_MESSAGE_MAP(CNdReferenceDialog, CReferenceDialog)
  ON_COMMAND(ID_ND_REF_REM_ALL, OnRemoveAll)
END_MESSAGE_MAP()

CNdReferenceDialog::CNdReferenceDialog(CWnd* pParent)
    : CReferenceDialog(IDD_ND_REFERENCE, IDR_ND_REFERENCE_BAR, pParent) {}

BOOL CNdReferenceDialog::OnInitDialog() {
  CReferenceDialog::OnInitDialog();
  SetDlgItemText(IDC_ND_REF_LABEL, m_strLabel);
  return TRUE;
}
