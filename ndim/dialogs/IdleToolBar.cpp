#include "ndim/dialogs/IdleToolBar.h"

BEGIN_MESSAGE_MAP(CIdleToolBar, CToolBar)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

LRESULT CIdleToolBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (IsWindowVisible()) {
    if (CWnd* pParent = GetParent())
      UpdateButtons(pParent, (BOOL)wParam);
  }
  return 0;
}
