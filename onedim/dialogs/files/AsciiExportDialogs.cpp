#include "onedim/dialogs/files/AsciiExportDialogs.h"

#include "framework/win/UiHooks.h"
#include "onedim/dialogs/files/ExportAsciiDialog.h"
#include "onedim/dialogs/files/FileExportDialog.h"

BOOL CAsciiExportDialogs::AskPath(CString& strPath) {
  CFileExportDialog dlg("Save As ASCII file", "ASCII (*.txt)", "*.txt", m_pParent);
  if (dlg.DoModal() != IDOK)
    return FALSE;
  strPath = dlg.GetPathName();
  return !strPath.IsEmpty();
}

BOOL CAsciiExportDialogs::AskOptions(CAsciiExportOptions& options) {
  CExportAsciiDialog dlg(m_pParent);
  dlg.m_nUnits = options.nUnits;
  if (dlg.DoModal() != IDOK)
    return FALSE;
  options.nUnits = dlg.m_nUnits;
  options.bTitle = dlg.m_bTitle != 0;
  options.bComplex = dlg.m_nComplex == 1;
  return TRUE;
}

void CAsciiExportDialogs::ShowError(LPCSTR pszText) {
  AfxMessageBox(pszText);
}
