#include "framework/win/RectTracker.h"

#include <algorithm>

#include "framework/win/Dc.h"
#include "framework/win/Wnd.h"

namespace {

// Which edges of the rectangle a handle moves: -1 none, else the index in
// {left, top, right, bottom}.
struct HandleEdges {
  int x;
  int y;
};
const HandleEdges kEdges[] = {{0, 1}, {2, 1}, {2, 3}, {0, 3}, {-1, 1}, {2, -1}, {-1, 3}, {0, -1}};

LONG& Edge(RECT& rc, int index) {
  switch (index) {
    case 0:
      return rc.left;
    case 1:
      return rc.top;
    case 2:
      return rc.right;
    default:
      return rc.bottom;
  }
}

CRect Normalized(const CRect& rc) {
  CRect result = rc;
  result.NormalizeRect();
  return result;
}

}  // namespace

UINT CRectTracker::GetHandleMask() const {
  // The side handles only where the side has room for them beside the corners.
  UINT mask = 0x0F;
  CRect rc = Normalized(m_rect);
  int room = 3 * m_nHandleSize;
  if (rc.Width() > room)
    mask |= (1 << hitTop) | (1 << hitBottom);
  if (rc.Height() > room)
    mask |= (1 << hitLeft) | (1 << hitRight);
  return mask;
}

void CRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const {
  CRect rc = Normalized(m_rect);
  int size = m_nHandleSize;
  // Inside handles sit within the rectangle, outside ones around it.
  int offset = (m_nStyle & resizeOutside) ? size : 0;
  int left = rc.left - offset, top = rc.top - offset;
  int right = rc.right + offset - size, bottom = rc.bottom + offset - size;
  int midX = (left + right) / 2, midY = (top + bottom) / 2;
  static const int kX[] = {0, 2, 2, 0, 1, 2, 1, 0};
  static const int kY[] = {0, 0, 2, 2, 0, 1, 2, 1};
  int x = kX[nHandle] == 0 ? left : kX[nHandle] == 1 ? midX : right;
  int y = kY[nHandle] == 0 ? top : kY[nHandle] == 1 ? midY : bottom;
  pHandleRect->SetRect(x, y, x + size, y + size);
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const {
  CRect rc = Normalized(m_rect);
  int extra = (m_nStyle & (resizeOutside | hatchedBorder)) ? m_nHandleSize : 0;
  rc.InflateRect(extra, extra);
  *lpTrueRect = rc;
}

void CRectTracker::Draw(CDC* pDC) const {
  CRect rc = Normalized(m_rect);
  int nSaved = pDC->SaveDC();
  pDC->SetMapMode(MM_TEXT);
  pDC->SetViewportOrg(0, 0);
  pDC->SetWindowOrg(0, 0);
  if (m_nStyle & (solidLine | dottedLine)) {
    CPen pen(m_nStyle & dottedLine ? PS_DOT : PS_SOLID, 0, RGB(0, 0, 0));
    CSelectGuard guardPen(*pDC, &pen);
    CSelectGuard guardBrush(*pDC, NULL_BRUSH);
    pDC->SetBkMode(OPAQUE);
    pDC->SetBkColor(RGB(255, 255, 255));
    pDC->Rectangle(rc.left, rc.top, rc.right, rc.bottom);
  }
  if (m_nStyle & (hatchedBorder | hatchInside)) {
    CBrush hatch(HS_BDIAGONAL, RGB(0, 0, 0));
    pDC->SetBkMode(TRANSPARENT);
    if (m_nStyle & hatchInside) {
      CRect inside = rc;
      inside.DeflateRect(1, 1);
      pDC->FillRect(&inside, &hatch);
    }
    if (m_nStyle & hatchedBorder) {
      CRect outer = rc;
      outer.InflateRect(m_nHandleSize, m_nHandleSize);
      CRect bands[] = {CRect(outer.left, outer.top, outer.right, rc.top),
                       CRect(outer.left, rc.bottom, outer.right, outer.bottom),
                       CRect(outer.left, rc.top, rc.left, rc.bottom), CRect(rc.right, rc.top, outer.right, rc.bottom)};
      for (const CRect& band : bands)
        pDC->FillRect(&band, &hatch);
    }
  }
  if (m_nStyle & (resizeInside | resizeOutside)) {
    UINT mask = GetHandleMask();
    for (int i = 0; i < 8; ++i) {
      if (!(mask & (1u << i)))
        continue;
      CRect handle;
      GetHandleRect(i, &handle);
      pDC->FillSolidRect(&handle, RGB(0, 0, 0));
    }
  }
  pDC->RestoreDC(nSaved);
}

int CRectTracker::HitTest(CPoint point) const {
  if (m_nStyle & (resizeInside | resizeOutside)) {
    UINT mask = GetHandleMask();
    for (int i = 0; i < 8; ++i) {
      if (!(mask & (1u << i)))
        continue;
      CRect handle;
      GetHandleRect(i, &handle);
      if (handle.PtInRect(point))
        return i;
    }
  }
  CRect rc;
  GetTrueRect(&rc);
  if (!rc.PtInRect(point))
    return hitNothing;
  return hitMiddle;
}

int CRectTracker::NormalizeHit(int nHandle) const {
  if (nHandle < 0 || nHandle == hitMiddle)
    return nHandle;
  // Handles are found on the normalised rectangle; on an inverted one the
  // handle a user takes is the opposite edge of m_rect.
  static const int kSwapX[] = {hitTopRight, hitTopLeft, hitBottomLeft, hitBottomRight,
                               hitTop,      hitLeft,    hitBottom,     hitRight};
  static const int kSwapY[] = {hitBottomLeft, hitBottomRight, hitTopRight, hitTopLeft,
                               hitBottom,     hitRight,       hitTop,      hitLeft};
  if (m_rect.Width() < 0)
    nHandle = kSwapX[nHandle];
  if (m_rect.Height() < 0)
    nHandle = kSwapY[nHandle];
  return nHandle;
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const {
  if (nHitTest != HTCLIENT)
    return FALSE;
  POINT pt;
  ::GetCursorPos(&pt);
  pWnd->ScreenToClient(&pt);
  int nHit = HitTest(pt);
  if (nHit < 0)
    return FALSE;
  LPCSTR cursor;
  switch (NormalizeHit(nHit)) {
    case hitTopLeft:
    case hitBottomRight:
      cursor = (LPCSTR)IDC_SIZENWSE;
      break;
    case hitTopRight:
    case hitBottomLeft:
      cursor = (LPCSTR)IDC_SIZENESW;
      break;
    case hitTop:
    case hitBottom:
      cursor = (LPCSTR)IDC_SIZENS;
      break;
    case hitLeft:
    case hitRight:
      cursor = (LPCSTR)IDC_SIZEWE;
      break;
    default:
      cursor = (LPCSTR)IDC_SIZEALL;
      break;
  }
  ::SetCursor(::LoadCursorA(nullptr, cursor));
  return TRUE;
}

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo) {
  int nHandle = HitTest(point);
  if (nHandle < 0)
    return FALSE;
  m_bAllowInvert = bAllowInvert;
  return TrackHandle(NormalizeHit(nHandle), pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert) {
  m_bAllowInvert = bAllowInvert;
  m_rect.SetRect(point.x, point.y, point.x, point.y);
  if (!TrackHandle(hitBottomRight, pWnd, point, nullptr))
    return FALSE;
  return !Normalized(m_rect).IsRectEmpty();
}

void CRectTracker::AdjustRect(int nHandle, LPRECT lpRect) {
  if (m_bAllowInvert || nHandle == hitMiddle)
    return;
  // The dragged edge stops where the rectangle would get smaller than the minimum.
  const HandleEdges& edges = kEdges[nHandle];
  if (edges.x == 0)
    lpRect->left = std::min<LONG>(lpRect->left, lpRect->right - m_sizeMin.cx);
  else if (edges.x == 2)
    lpRect->right = std::max<LONG>(lpRect->right, lpRect->left + m_sizeMin.cx);
  if (edges.y == 1)
    lpRect->top = std::min<LONG>(lpRect->top, lpRect->bottom - m_sizeMin.cy);
  else if (edges.y == 3)
    lpRect->bottom = std::max<LONG>(lpRect->bottom, lpRect->top + m_sizeMin.cy);
}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) {
  CRect rc = Normalized(*lpRect);
  if (pWndClipTo != nullptr && pWndClipTo != pWnd) {
    // The feedback stays inside the clipping window.
    CRect clip;
    pWndClipTo->GetClientRect(&clip);
    pWndClipTo->MapWindowPoints(pWnd, &clip);
    rc.IntersectRect(&rc, &clip);
  }
  if (rc.IsRectEmpty())
    rc.InflateRect(rc.Width() == 0 ? 1 : 0, rc.Height() == 0 ? 1 : 0);
  pDC->DrawFocusRect(&rc);
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo) {
  if (pWnd == nullptr || pWnd->m_hWnd == nullptr || ::GetCapture() != nullptr)
    return FALSE;
  const CRect rectSave = m_rect;
  // The grabbed edges keep their distance from the mouse.
  const HandleEdges edges = nHandle == hitMiddle ? HandleEdges{0, 1} : kEdges[nHandle];
  CRect start = m_rect;
  int dx = edges.x >= 0 ? point.x - Edge(start, edges.x) : 0;
  int dy = edges.y >= 0 ? point.y - Edge(start, edges.y) : 0;
  CSize size(m_rect.Width(), m_rect.Height());

  pWnd->SetCapture();
  pWnd->UpdateWindow();
  CClientDC dc(pWnd);
  BOOL bDrawn = FALSE;  // feedback is on the screen
  BOOL bCancelled = FALSE;
  m_bErase = m_bFinalErase = FALSE;
  for (;;) {
    MSG msg;
    if (!::GetMessageA(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage((int)msg.wParam);
      bCancelled = TRUE;
      break;
    }
    if (::GetCapture() != pWnd->m_hWnd) {
      bCancelled = TRUE;
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      POINT pt = {(short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam)};
      if (msg.hwnd != pWnd->m_hWnd)
        ::MapWindowPoints(msg.hwnd, pWnd->m_hWnd, &pt, 1);
      CRect rectOld = m_rect;
      if (nHandle == hitMiddle) {
        m_rect.left = pt.x - dx;
        m_rect.top = pt.y - dy;
        m_rect.right = m_rect.left + size.cx;
        m_rect.bottom = m_rect.top + size.cy;
      } else {
        if (edges.x >= 0)
          Edge(m_rect, edges.x) = pt.x - dx;
        if (edges.y >= 0)
          Edge(m_rect, edges.y) = pt.y - dy;
      }
      AdjustRect(nHandle, &m_rect);
      BOOL bFinal = msg.message == WM_LBUTTONUP;
      if (bDrawn && (rectOld != m_rect || bFinal)) {
        m_bErase = TRUE;
        m_bFinalErase = bFinal;
        DrawTrackerRect(&rectOld, pWndClipTo, &dc, pWnd);
        bDrawn = FALSE;
      }
      if (rectOld != m_rect)
        OnChangedRect(rectOld);
      if (bFinal)
        break;
      if (!bDrawn) {
        m_bErase = m_bFinalErase = FALSE;
        DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
        bDrawn = TRUE;
      }
    } else if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN) {
      bCancelled = TRUE;
      break;
    } else if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_CHAR) {
      ::DispatchMessageA(&msg);
    }
  }
  if (bDrawn) {
    m_bErase = m_bFinalErase = TRUE;
    DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
  }
  if (::GetCapture() == pWnd->m_hWnd)
    ::ReleaseCapture();
  if (bCancelled) {
    m_rect = rectSave;
    return FALSE;
  }
  return m_rect != rectSave;
}
