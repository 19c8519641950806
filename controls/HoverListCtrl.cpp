#include "controls/HoverListCtrl.h"

BEGIN_MESSAGE_MAP(CHoverListCtrl, CListCtrl)
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CHoverListCtrl::PFNLEAVEACTION CHoverListCtrl::s_pfnLeaveAction = nullptr;

CHoverListCtrl::PFNLEAVEACTION CHoverListCtrl::SetLeaveAction(PFNLEAVEACTION pfnAction) {
  PFNLEAVEACTION pfnOld = s_pfnLeaveAction;
  s_pfnLeaveAction = pfnAction;
  return pfnOld;
}

void CHoverListCtrl::OnMouseMove(UINT, CPoint point) {
  if (!m_bTracking) {
    TRACKMOUSEEVENT tme = {};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = m_hWnd;
    m_bTracking = ::TrackMouseEvent(&tme) ? 1 : 0;
  }
  LVHITTESTINFO hit = {};
  hit.pt = point;
  int nItem = HitTest(&hit);
  if ((hit.flags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON)) == 0)
    nItem = -1;
  HWND hWndSelf = m_hWnd, hWndParent = ::GetParent(m_hWnd);
  if (hWndParent != nullptr)
    ::SendMessageA(hWndParent, WMU_LIST_HOT_ITEM, (WPARAM)(INT_PTR)nItem, 0);
  if (::IsWindow(hWndSelf))  // the parent may have closed the list
    Default();
}

void CHoverListCtrl::OnMouseLeave() {
  m_bTracking = 0;
  if (s_pfnLeaveAction != nullptr)
    s_pfnLeaveAction();
}
