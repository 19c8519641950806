#include "controls/AutoCompleteCombo.h"

BEGIN_MESSAGE_MAP(CAutoCompleteCombo, CComboBox)
  ON_CONTROL_REFLECT(CBN_EDITUPDATE, OnEditUpdate)
END_MESSAGE_MAP()

BOOL CAutoCompleteCombo::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN)
    m_bAutoComplete = pMsg->wParam != VK_DELETE && pMsg->wParam != VK_BACK;
  return CComboBox::PreTranslateMessage(pMsg);
}

void CAutoCompleteCombo::OnEditUpdate() {
  if (!m_bAutoComplete)
    return;
  CString strTyped;
  GetWindowText(strTyped);
  const int nLength = strTyped.GetLength();
  const DWORD dwSel = GetEditSel();
  const int nStart = (int)(short)LOWORD(dwSel), nEnd = (int)(short)HIWORD(dwSel);
  if (SelectString(-1, strTyped) == CB_ERR) {
    // No entry begins so: the typed text stays as it was.
    SetWindowText(strTyped);
    SetEditSel(nStart, nEnd);
  }
  if (nEnd < nLength && nEnd != -1)
    SetEditSel(nStart, nEnd);
  else
    SetEditSel(nLength, -1);
}
