#include "controls/NotifyGridCtrl.h"

IMPLEMENT_DYNCREATE(CNotifyGridCtrl, CGridCtrl)

void CNotifyGridCtrl::OnCellEdited(int nRow, int nCol, LPCSTR lpszText) {
  CGridCtrl::OnCellEdited(nRow, nCol, lpszText);
  if (HWND hWndParent = ::GetParent(m_hWnd))
    ::SendMessageA(hWndParent, WMU_GRID_CELL_EDITED, 0, 0);
}
