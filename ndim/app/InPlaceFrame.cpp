#include "ndim/app/InPlaceFrame.h"

#include "framework/win/MessageMap.h"
#include "resources/BrivanenDRes.h"

IMPLEMENT_DYNCREATE(CInPlaceFrame, COleIPFrameWnd)

BEGIN_MESSAGE_MAP(CInPlaceFrame, COleIPFrameWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

int CInPlaceFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (COleIPFrameWnd::OnCreate(lpcs) == -1)
    return -1;
  if (!m_wndResizeBar.Create(this))
    return -1;
  m_dropTarget.Register(this);
  return 0;
}

BOOL CInPlaceFrame::OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd*) {
  if (!m_wndToolBar.CreateEx(pWndFrame, TBSTYLE_FLAT,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                 CBRS_SIZE_DYNAMIC,
                             CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
      !m_wndToolBar.LoadToolBar(IDR_SRVR_INPLACE))
    return FALSE;
  // The bar lives in the container's frame; its buttons talk to this frame.
  m_wndToolBar.SendMessage(TB_SETPARENT, (WPARAM)m_hWnd);
  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  pWndFrame->EnableDocking(CBRS_ALIGN_ANY);
  pWndFrame->DockControlBar(&m_wndToolBar);
  return TRUE;
}
