#include "onedim/dialogs/files/ImportErrorsDialog.h"

#include "resources/ImportDialogsRes.h"

BOOL CImportErrorsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_Log.SubclassDlgItem(IDC_IMPORT_ERRORS_LOG, this);
  for (POSITION pos = m_Lines.GetHeadPosition(); pos != nullptr;)
    m_Log.AppendLine(m_Lines.GetNext(pos));
  return TRUE;
}
