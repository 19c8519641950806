#include "onedim/dialogs/files/MissingParametersDialogs.h"

#include "onedim/dialogs/files/EditParametersDialog.h"
#include "onedim/dialogs/files/ImportErrorsDialog.h"

BOOL CMissingParametersDialogs::ShowImportErrors(const CStringList& lines, const CMapStringToString&) {
  CImportErrorsDialog dlg(m_pParent);
  for (POSITION pos = lines.GetHeadPosition(); pos != nullptr;)
    dlg.m_Lines.AddTail(lines.GetNext(pos));
  return dlg.DoModal() == IDOK;
}

BOOL CMissingParametersDialogs::EditParameters(CMissingValues& values, const CMapStringToString& missing) {
  CEditParametersDialog dlg(m_pParent);
  for (POSITION pos = missing.GetStartPosition(); pos != nullptr;) {
    CString strKey, strDescription;
    missing.GetNextAssoc(pos, strKey, strDescription);
    dlg.m_Missing.SetAt(strKey, strDescription);
  }
  dlg.m_sf = values.sf;
  dlg.m_sw = values.sw;
  dlg.m_td = values.td;
  dlg.m_nByteOrder = values.byteorder;
  if (dlg.DoModal() != IDOK)
    return FALSE;
  values.sf = dlg.m_sf;
  values.sw = dlg.m_sw;
  values.td = dlg.m_td;
  values.byteorder = dlg.m_nByteOrder;
  return TRUE;
}
