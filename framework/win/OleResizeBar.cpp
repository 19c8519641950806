#include "framework/win/OleResizeBar.h"

#include "framework/win/Dc.h"
#include "framework/win/MessageMap.h"
#include "framework/win/OleIPFrameWnd.h"
#include "framework/win/RectTracker.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(COleResizeBar, CWnd)

BEGIN_MESSAGE_MAP(COleResizeBar, CWnd)
  ON_WM_PAINT()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {
// The tracker of the bar's window: the handles sit in the hatched border.
CRectTracker TrackerOf(const CWnd* pWnd) {
  CRect rc;
  pWnd->GetClientRect(&rc);
  rc.DeflateRect(COleResizeBar::kBorder, COleResizeBar::kBorder);
  CRectTracker tracker(&rc, CRectTracker::hatchedBorder | CRectTracker::resizeOutside);
  tracker.m_nHandleSize = COleResizeBar::kBorder;
  return tracker;
}
}  // namespace

BOOL COleResizeBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_WINDOW + 1));
  return CreateEx(0, lpszClass, nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

void COleResizeBar::OnPaint() {
  CPaintDC dc(this);
  TrackerOf(this).Draw(&dc);
}

BOOL COleResizeBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (pWnd == this && TrackerOf(this).SetCursor(this, nHitTest))
    return TRUE;
  return (BOOL)Default();
}

void COleResizeBar::OnLButtonDown(UINT, CPoint point) {
  CRectTracker tracker = TrackerOf(this);
  int nHit = tracker.HitTest(point);
  if (nHit == CRectTracker::hitNothing || nHit == CRectTracker::hitMiddle || !tracker.Track(this, point))
    return;
  // The new rectangle, with its border, in the container window's terms.
  CRect rc = tracker.m_rect;
  rc.InflateRect(kBorder, kBorder);
  ClientToScreen(&rc);
  CWnd* pFrame = GetParent();
  if (pFrame == nullptr || !pFrame->IsKindOf(RUNTIME_CLASS(COleIPFrameWnd)))
    return;
  ::MapWindowPoints(nullptr, ::GetParent(pFrame->m_hWnd), (LPPOINT)&rc, 2);
  static_cast<COleIPFrameWnd*>(pFrame)->OnResizeRequest(rc);
}
