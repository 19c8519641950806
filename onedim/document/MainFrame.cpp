#include "onedim/document/MainFrame.h"

#include "framework/win/CmdUI.h"
#include "framework/win/ControlBar.h"
#include "framework/win/MDIChildWnd.h"
#include "framework/win/View.h"
#include "onedim/document/BrivaneProApp.h"
#include "resources/BrivaneRes.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_WM_GETMINMAXINFO()
  ON_COMMAND(ID_VIEW_FULL_SCREEN, OnViewFullScreen)
  ON_UPDATE_COMMAND_UI(ID_VIEW_FULL_SCREEN, OnUpdateViewFullScreen)
END_MESSAGE_MAP()

CView* GetActiveSpectrumView() {
  CWnd* pMain = AfxGetMainWnd();
  if (pMain == nullptr || !pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
    return nullptr;
  CMDIChildWnd* pChild = static_cast<CMDIFrameWnd*>(pMain)->MDIGetActive();
  CWnd* pView = pChild != nullptr ? pChild->GetActiveView() : nullptr;
  return pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pView) : nullptr;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style = WS_OVERLAPPEDWINDOW | WS_MAXIMIZE | FWS_ADDTOTITLE;
  return CMDIFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CMDIFrameWnd::OnCreate(lpcs) == -1)
    return -1;
  LoadBarState("ToolBarDockState");
  return 0;
}

void CMainFrame::OnClose() {
  ExitFullScreen();
  SaveBarState("ToolBarDockState");
  GetBrivaneApp()->GetHistory().RemoveAll();
  CMDIFrameWnd::OnClose();
}

CControlBar* CMainFrame::FullScreenBar(int nIndex) const {
  switch (nIndex) {
    case 0:
      return const_cast<CMainFrame*>(this)->GetControlBar(AFX_IDW_TOOLBAR);
    case 2:
      return const_cast<CMainFrame*>(this)->GetControlBar(AFX_IDW_STATUS_BAR);
    default:
      return nullptr;  // the scale bar
  }
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  CMDIFrameWnd::OnGetMinMaxInfo(lpMMI);
  if (IsFullScreen()) {
    lpMMI->ptMaxSize.x = lpMMI->ptMaxTrackSize.x = m_rectFullScreen.Width();
    lpMMI->ptMaxSize.y = lpMMI->ptMaxTrackSize.y = m_rectFullScreen.Height();
  }
}

BOOL CMainFrame::GetFullScreenSize(CWnd* pWnd, CPoint& rSize) const {
  if (!IsFullScreen() || pWnd != m_pFullScreenChild)
    return FALSE;
  rSize = CPoint(m_rectFullScreen.Width(), m_rectFullScreen.Height());
  return TRUE;
}

void CMainFrame::OnViewFullScreen() {
  if (IsFullScreen())
    ExitFullScreen();
  else
    EnterFullScreen();
}

void CMainFrame::OnUpdateViewFullScreen(CCmdUI* pCmdUI) {
  pCmdUI->Enable(MDIGetActive() != nullptr);
  pCmdUI->SetCheck(IsFullScreen());
}

void CMainFrame::EnterFullScreen() {
  CMDIChildWnd* pChild = MDIGetActive();
  if (pChild == nullptr)
    return;
  for (int i = 0; i < kFullScreenBars; ++i) {
    CControlBar* pBar = FullScreenBar(i);
    m_bBarVisible[i] = pBar != nullptr && pBar->IsVisible();
    if (pBar != nullptr)
      ShowControlBar(pBar, FALSE, FALSE);
  }
  pChild->GetWindowPlacement(&m_wpChild);
  GetWindowPlacement(&m_wpFrame);

  // The work area's corner goes off screen, and the frame grows by its
  // caption, menu and borders so that only its client area is seen.
  RECT rcWork;
  if (::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0)) {
    m_rectFullScreen = CRect(-rcWork.left, -rcWork.top, ::GetSystemMetrics(SM_CXSCREEN) - rcWork.left,
                             ::GetSystemMetrics(SM_CYSCREEN) - rcWork.top);
  } else {
    ::GetWindowRect(::GetDesktopWindow(), &m_rectFullScreen);
  }
  ::AdjustWindowRectEx(&m_rectFullScreen, GetStyle(), TRUE, GetExStyle());
  m_rectFullScreen.bottom += ::GetSystemMetrics(SM_CYBORDER);
  m_pFullScreenChild = pChild;

  CRect rcChild(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  ::AdjustWindowRectEx(&rcChild, pChild->GetStyle(), FALSE, pChild->GetExStyle());

  ::LockWindowUpdate(m_hWnd);
  WINDOWPLACEMENT wp = m_wpFrame;
  wp.showCmd = SW_SHOWNORMAL;
  wp.rcNormalPosition = m_rectFullScreen;
  SetWindowPlacement(&wp);
  WINDOWPLACEMENT wpChild = m_wpChild;
  wpChild.showCmd = SW_SHOWNORMAL;
  wpChild.rcNormalPosition = rcChild;
  pChild->SetWindowPlacement(&wpChild);
  ::LockWindowUpdate(nullptr);
}

void CMainFrame::ExitFullScreen() {
  if (!IsFullScreen())
    return;
  for (int i = 0; i < kFullScreenBars; ++i) {
    CControlBar* pBar = FullScreenBar(i);
    if (pBar != nullptr)
      ShowControlBar(pBar, m_bBarVisible[i], FALSE);
  }
  CWnd* pChild = m_pFullScreenChild;
  m_pFullScreenChild = nullptr;
  if (::IsWindow(pChild->GetSafeHwnd()))
    pChild->SetWindowPlacement(&m_wpChild);
  SetWindowPlacement(&m_wpFrame);
}

void CMainFrame::DockControlBarLeftOf(CControlBar* pBar, CControlBar* pOther) {
  RecalcLayout(TRUE);
  CRect rect;
  pOther->GetWindowRect(&rect);
  rect.OffsetRect(1, 0);
  DWORD dwStyle = pOther->GetBarStyle();
  UINT nSide = AFX_IDW_DOCKBAR_TOP;
  if (dwStyle & CBRS_ALIGN_TOP)
    nSide = AFX_IDW_DOCKBAR_TOP;
  else if (dwStyle & CBRS_ALIGN_BOTTOM)
    nSide = AFX_IDW_DOCKBAR_BOTTOM;
  else if (dwStyle & CBRS_ALIGN_LEFT)
    nSide = AFX_IDW_DOCKBAR_LEFT;
  else if (dwStyle & CBRS_ALIGN_RIGHT)
    nSide = AFX_IDW_DOCKBAR_RIGHT;
  DockControlBar(pBar, nSide, &rect);
}
