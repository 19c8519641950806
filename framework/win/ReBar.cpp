#include "framework/win/ReBar.h"

#include "framework/win/FrameWnd.h"
#include "framework/win/GdiObject.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
  ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  DWORD dwWindowStyle =
      (dwStyle & ~CBRS_ALL) | WS_CHILD | (dwCtrlStyle & 0xFFFF) | CCS_NOPARENTALIGN | CCS_NODIVIDER | CCS_NORESIZE;
  if (!CWnd::CreateEx(0, REBARCLASSNAMEA, nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
    return FALSE;
  REBARINFO info = {};
  info.cbSize = sizeof(info);
  SendMessage(RB_SETBARINFO, 0, (LPARAM)&info);
  AttachToFrame(pParentWnd);
  return TRUE;
}

BOOL CReBar::AddBand(CWnd* pBar, REBARBANDINFOA& info) {
  if (pBar == nullptr || pBar->m_hWnd == nullptr)
    return FALSE;
  // The band's bar becomes the rebar's child; its frame no longer places it.
  pBar->SetParent(this);
  CSize size;
  if (pBar->IsKindOf(RUNTIME_CLASS(CControlBar)))
    size = static_cast<CControlBar*>(pBar)->CalcFixedLayout(FALSE, TRUE);
  else {
    CRect rc;
    pBar->GetWindowRect(&rc);
    size = CSize(rc.Width(), rc.Height());
  }
  info.cbSize = sizeof(info);
  info.fMask |= RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
  info.hwndChild = pBar->m_hWnd;
  info.cxMinChild = (UINT)size.cx;
  info.cyMinChild = (UINT)size.cy;
  info.cx = (UINT)size.cx;
  pBar->ShowWindow(SW_SHOWNOACTIVATE);
  if (!SendMessage(RB_INSERTBANDA, (WPARAM)-1, (LPARAM)&info))
    return FALSE;
  if (m_pDockSite != nullptr && m_pDockSite->m_hWnd != nullptr)
    m_pDockSite->PostMessage(WM_RECALCPARENT);
  return TRUE;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCSTR pszText, CBitmap* pbmp, DWORD dwStyle) {
  REBARBANDINFOA info = {};
  info.fStyle = dwStyle;
  if (pszText != nullptr) {
    info.fMask |= RBBIM_TEXT;
    info.lpText = const_cast<LPSTR>(pszText);
  }
  if (pbmp != nullptr && pbmp->GetSafeHandle() != nullptr) {
    info.fMask |= RBBIM_BACKGROUND;
    info.hbmBack = (HBITMAP)pbmp->GetSafeHandle();
  }
  return AddBand(pBar, info);
}

BOOL CReBar::AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCSTR pszText, DWORD dwStyle) {
  REBARBANDINFOA info = {};
  info.fStyle = dwStyle;
  info.fMask = RBBIM_COLORS;
  info.clrFore = clrFore;
  info.clrBack = clrBack;
  if (pszText != nullptr) {
    info.fMask |= RBBIM_TEXT;
    info.lpText = const_cast<LPSTR>(pszText);
  }
  return AddBand(pBar, info);
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL) {
  int cy = (int)SendMessage(RB_GETBARHEIGHT);
  return CSize(bStretch ? 32767 : 0, cy);
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  if (m_pDockSite != nullptr && m_pDockSite->m_hWnd != nullptr)
    m_pDockSite->PostMessage(WM_RECALCPARENT);
}
