#include "onedim/app/WindowTabHost.h"

#include <algorithm>

#include "framework/win/MDIFrameWnd.h"
#include "resources/BrivaneRes.h"

BEGIN_MESSAGE_MAP(CWindowTabHost, CWnd)
  ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
  ON_MESSAGE(WM_MDICREATE, OnMDICreate)
  ON_MESSAGE(WM_MDIDESTROY, OnMDIDestroy)
  ON_WM_SIZE()
  ON_WM_SHOWWINDOW()
  ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

BOOL CWindowTabHost::Install(CFrameWnd* pFrame, DWORD dwTabStyles) {
  if (m_pFrame != nullptr || pFrame == nullptr || !pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
    return FALSE;
  CMDIFrameWnd* pMDIFrame = static_cast<CMDIFrameWnd*>(pFrame);
  if (!SubclassWindow(pMDIFrame->m_hWndMDIClient))
    return FALSE;
  m_pFrame = pMDIFrame;
  // The strip lies under the MDI client; clipping keeps it from painting there.
  if (!m_Strip.Create(dwTabStyles | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_FOCUSNEVER, CRect(0, 0, 0, 0),
                      pMDIFrame, IDW_WINDOW_TABS)) {
    Uninstall();
    return FALSE;
  }
  pMDIFrame->RecalcLayout();
  m_Strip.Refresh(TRUE);
  return TRUE;
}

void CWindowTabHost::Uninstall() {
  if (m_pFrame == nullptr)
    return;
  if (m_Strip.m_hWnd != nullptr)
    m_Strip.DestroyWindow();
  if (m_hWnd != nullptr)
    UnsubclassWindow();
  CMDIFrameWnd* pFrame = m_pFrame;
  m_pFrame = nullptr;
  m_bLayoutChanged = FALSE;
  if (pFrame->m_hWnd != nullptr)
    pFrame->RecalcLayout();
}

CRect CWindowTabHost::ClientArea(const CRect& rcWhole) {
  CRect rc = rcWhole;
  const int nMargin = m_Strip.GetMargin();
  if (rc.Width() < 2 * nMargin || rc.Height() < 2 * nMargin)
    rc = CRect(rc.left, rc.top, rc.left, rc.top);
  else
    rc.DeflateRect(nMargin, nMargin);
  if (m_Strip.m_hWnd != nullptr)
    m_Strip.AdjustRect(FALSE, &rc);
  rc.right = std::max(rc.left, rc.right);
  rc.bottom = std::max(rc.top, rc.bottom);
  return rc;
}

void CWindowTabHost::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  // The frame's layout places the client with a position and a size.
  if (m_Strip.m_hWnd != nullptr && (lpwndpos->flags & (SWP_NOMOVE | SWP_NOSIZE)) == 0) {
    const CRect rcWhole(lpwndpos->x, lpwndpos->y, lpwndpos->x + lpwndpos->cx, lpwndpos->y + lpwndpos->cy);
    // The strip first: how many rows its tabs take depends on its width.
    m_Strip.SetWindowPos(&CWnd::wndBottom, rcWhole.left, rcWhole.top, rcWhole.Width(), rcWhole.Height(),
                         SWP_NOACTIVATE);
    const CRect rc = ClientArea(rcWhole);
    lpwndpos->x = rc.left;
    lpwndpos->y = rc.top;
    lpwndpos->cx = rc.Width();
    lpwndpos->cy = rc.Height();
  }
  CWnd::OnWindowPosChanging(lpwndpos);
}

void CWindowTabHost::PostRefresh() {
  if (m_Strip.m_hWnd != nullptr)
    m_Strip.PostMessage(WM_TIMER, CWindowTabStrip::RefreshTimer);
}

LRESULT CWindowTabHost::OnMDIActivate(WPARAM wParam, LPARAM) {
  LRESULT lResult = Default();
  const int nTab = m_Strip.FindTab(CWnd::FromHandle((HWND)wParam));
  if (nTab >= 0)
    m_Strip.SetCurSel(nTab);
  PostRefresh();
  return lResult;
}

LRESULT CWindowTabHost::OnMDICreate(WPARAM, LPARAM) {
  LRESULT lResult = Default();
  if (lResult != 0) {
    m_Strip.SetCurSel(-1);
    PostRefresh();
  }
  return lResult;
}

LRESULT CWindowTabHost::OnMDIDestroy(WPARAM wParam, LPARAM) {
  m_Strip.RemoveTab(CWnd::FromHandle((HWND)wParam), TRUE);
  LRESULT lResult = Default();
  PostRefresh();
  return lResult;
}

void CWindowTabHost::OnSize(UINT nType, int cx, int cy) {
  m_bLayoutChanged = TRUE;
  CWnd::OnSize(nType, cx, cy);
  PostRefresh();
}

void CWindowTabHost::OnShowWindow(BOOL bShow, UINT nStatus) {
  CWnd::OnShowWindow(bShow, nStatus);
  if (m_Strip.m_hWnd != nullptr)
    m_Strip.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}
