#include "controls/SelfInitDialogBar.h"

BEGIN_MESSAGE_MAP(CSelfInitDialogBar, CDialogBar)
END_MESSAGE_MAP()

BOOL CSelfInitDialogBar::Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID) {
  if (!CDialogBar::Create(pParentWnd, lpszTemplateName, nStyle, nID))
    return FALSE;
  return InitBarControls();
}

BOOL CSelfInitDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID) {
  return Create(pParentWnd, MAKEINTRESOURCEA(nIDTemplate), nStyle, nID);
}

BOOL CSelfInitDialogBar::InitBarControls() {
  UpdateData(FALSE);
  return TRUE;
}

BOOL CSelfInitDialogBar::PreTranslateMessage(MSG* pMsg) {
  UpdateDialogControls(this, TRUE);
  return CDialogBar::PreTranslateMessage(pMsg);
}
