#include "framework/win/DockContext.h"

#include <algorithm>

#include "framework/win/ControlBar.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameWnd.h"

namespace {

// How far into the frame's client a side still takes a bar, in pixels.
const int kDockReach = 24;

// The frame's client in screen coordinates, less the bars that never move
// (the status bar, rebars).
CRect DockableArea(CFrameWnd* pFrame) {
  CRect rc;
  pFrame->GetClientRect(&rc);
  pFrame->ClientToScreen(&rc);
  for (CControlBar* pOther : CControlBar::BarsOf(pFrame)) {
    if (pOther->m_nDockBarID != 0 || pOther->IsFloating() || !pOther->IsVisible() ||
        ::GetParent(pOther->m_hWnd) != pFrame->m_hWnd)
      continue;
    CRect rcBar;
    pOther->GetWindowRect(&rcBar);
    DWORD align = pOther->GetBarStyle() & CBRS_ALIGN_ANY;
    if (align & CBRS_ALIGN_BOTTOM)
      rc.bottom = std::min(rc.bottom, rcBar.top);
    else if (align & CBRS_ALIGN_LEFT)
      rc.left = std::max(rc.left, rcBar.right);
    else if (align & CBRS_ALIGN_RIGHT)
      rc.right = std::min(rc.right, rcBar.left);
    else
      rc.top = std::max(rc.top, rcBar.bottom);
  }
  return rc;
}

// The frame's pane (the view or the MDI client) in screen coordinates: what
// the docked rows leave free.
CRect PaneArea(CFrameWnd* pFrame, const CRect& rcDockable) {
  HWND hWndPane = ::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST);
  CRect rc = rcDockable;
  if (hWndPane != nullptr && ::IsWindowVisible(hWndPane))
    ::GetWindowRect(hWndPane, &rc);
  return rc;
}

// The outline of the bar when it lies along (bHorz) or across the sides.
CSize BarSize(CControlBar* pBar, BOOL bHorz) {
  return pBar->CalcFixedLayout(FALSE, bHorz);
}

void DrawOutline(CDC& dc, const CRect& rc) {
  // Drawn twice, the inverted frame goes away.
  CRect inner = rc;
  dc.DrawFocusRect(&inner);
  inner.DeflateRect(1, 1);
  if (!inner.IsRectEmpty())
    dc.DrawFocusRect(&inner);
}

}  // namespace

UINT CDockContext::DockSideAt(CFrameWnd* pFrame, CControlBar* pBar, CPoint pt) {
  DWORD allowed = pBar->m_dwDockStyle & pFrame->m_dwDockStyle;
  CRect rcDockable = DockableArea(pFrame);
  if (allowed == 0 || !rcDockable.PtInRect(pt))
    return AFX_IDW_DOCKBAR_FLOAT;
  CRect rcPane = PaneArea(pFrame, rcDockable);
  // How deep the point is in each side's band (the docked rows and a reach
  // into the pane); the deepest side the bar may use wins.
  struct Side {
    UINT id;
    DWORD align;
    int depth;
  } sides[] = {
      {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP, (int)(rcPane.top + kDockReach - pt.y)},
      {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM, (int)(pt.y - (rcPane.bottom - kDockReach))},
      {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT, (int)(rcPane.left + kDockReach - pt.x)},
      {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT, (int)(pt.x - (rcPane.right - kDockReach))},
  };
  UINT best = AFX_IDW_DOCKBAR_FLOAT;
  int bestDepth = 0;
  for (const Side& side : sides) {
    if ((allowed & side.align) && side.depth > bestDepth) {
      best = side.id;
      bestDepth = side.depth;
    }
  }
  return best;
}

void CDockContext::StartDrag(CControlBar* pBar, CPoint ptStart) {
  CFrameWnd* pFrame = pBar != nullptr ? pBar->m_pDockSite : nullptr;
  if (pFrame == nullptr || pFrame->m_hWnd == nullptr || pBar->m_hWnd == nullptr || ::GetCapture() != nullptr)
    return;
  // The outline keeps the grab point where it was on the bar (or its frame).
  CRect rcStart;
  if (pBar->IsFloating())
    pBar->GetFloatingFrame()->GetWindowRect(&rcStart);
  else
    pBar->GetWindowRect(&rcStart);
  CPoint grab(ptStart.x - rcStart.left, ptStart.y - rcStart.top);
  BOOL bWasHorz = pBar->IsHorz();
  CSize sizeHorz = BarSize(pBar, TRUE);
  CSize sizeVert = BarSize(pBar, FALSE);
  BarSize(pBar, bWasHorz);  // measuring changed the bar's own layout: back
  CRect rcFloat(0, 0, sizeHorz.cx, sizeHorz.cy);
  ::AdjustWindowRectEx(&rcFloat, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_TOOLWINDOW);

  auto outlineAt = [&](UINT side, CPoint pt) {
    CSize size = side == AFX_IDW_DOCKBAR_FLOAT                                   ? rcFloat.Size()
                 : side == AFX_IDW_DOCKBAR_TOP || side == AFX_IDW_DOCKBAR_BOTTOM ? sizeHorz
                                                                                 : sizeVert;
    CPoint offset(std::min<int>(grab.x, size.cx - 1), std::min<int>(grab.y, size.cy - 1));
    return CRect(CPoint(pt.x - offset.x, pt.y - offset.y), size);
  };

  pBar->SetCapture();
  CWindowDC dc(nullptr);  // the screen: the outline may leave the frame
  CRect rcShown;
  BOOL bShown = FALSE, bMoved = FALSE, bDone = FALSE;
  UINT side = AFX_IDW_DOCKBAR_FLOAT;
  CPoint pt = ptStart;
  int cxDrag = ::GetSystemMetrics(SM_CXDRAG), cyDrag = ::GetSystemMetrics(SM_CYDRAG);
  while (!bDone) {
    MSG msg;
    if (!::GetMessageA(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage((int)msg.wParam);
      bMoved = FALSE;
      break;
    }
    if (::GetCapture() != pBar->m_hWnd) {
      bMoved = FALSE;
      break;
    }
    switch (msg.message) {
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP: {
        POINT p = {(short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam)};
        ::ClientToScreen(msg.hwnd, &p);
        pt = p;
        if (std::abs(pt.x - ptStart.x) > cxDrag || std::abs(pt.y - ptStart.y) > cyDrag)
          bMoved = TRUE;
        side = DockSideAt(pFrame, pBar, pt);
        if (bShown)
          DrawOutline(dc, rcShown);
        bShown = FALSE;
        if (msg.message == WM_LBUTTONUP) {
          bDone = TRUE;
        } else if (bMoved) {
          rcShown = outlineAt(side, pt);
          DrawOutline(dc, rcShown);
          bShown = TRUE;
        }
        break;
      }
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) {
          bMoved = FALSE;
          bDone = TRUE;
        }
        break;
      case WM_RBUTTONDOWN:
        bMoved = FALSE;
        bDone = TRUE;
        break;
      case WM_KEYUP:
      case WM_CHAR:
        break;
      default:
        ::DispatchMessageA(&msg);
        break;
    }
  }
  if (bShown)
    DrawOutline(dc, rcShown);
  if (::GetCapture() == pBar->m_hWnd)
    ::ReleaseCapture();
  if (!bMoved)
    return;  // a click, or cancelled: the bar stays
  CRect rcDrop = outlineAt(side, pt);
  if (side == AFX_IDW_DOCKBAR_FLOAT)
    pFrame->FloatControlBar(pBar, rcDrop.TopLeft());
  else
    pFrame->DockControlBar(pBar, side, &rcDrop);
}

void CDockContext::DockBack(CControlBar* pBar) {
  CFrameWnd* pFrame = pBar != nullptr ? pBar->m_pDockSite : nullptr;
  if (pFrame == nullptr || !pBar->IsFloating())
    return;
  UINT side = pBar->m_nLastDockBarID;
  int nRow = pBar->m_nLastDockRow, nPos = pBar->m_nLastDockPos;
  pFrame->DockControlBar(pBar, side);  // a side of its own when it had none
  if (side != 0 && pBar->m_nDockBarID == side) {
    // Back into the row and place it had.
    pBar->m_nDockRow = nRow;
    pBar->m_nDockPos = nPos;
    pFrame->RecalcLayout();
  }
}
