#include "onedim/app/MainFrame.h"

#include "framework/win/CmdUI.h"
#include "framework/win/ControlBar.h"
#include "framework/win/MDIChildWnd.h"
#include "framework/win/UiHooks.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"
#include "common/SplashWnd.h"
#include "onedim/app/BrivaneProApp.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/view/BrivaneProView.h"
#include "resources/BrivaneRes.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_WM_GETMINMAXINFO()
  ON_COMMAND(ID_VIEW_FULL_SCREEN, OnViewFullScreen)
  ON_UPDATE_COMMAND_UI(ID_VIEW_FULL_SCREEN, OnUpdateViewFullScreen)
  ON_COMMAND(ID_VIEW_PROCESS_TOOLBAR, OnViewProcessBar)
  ON_UPDATE_COMMAND_UI(ID_VIEW_PROCESS_TOOLBAR, OnUpdateViewProcessBar)
  ON_COMMAND(ID_PROCESS_BASELINE_MENU, OnBaselineMenu)
  ON_COMMAND(ID_TOOLS_RELAXATION, OnToolsRelaxation)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_RELAXATION, OnUpdateToolsRelaxation)
  ON_COMMAND(ID_VIEW_CONTROL_BAR, OnViewControlBar)
  ON_UPDATE_COMMAND_UI(ID_VIEW_CONTROL_BAR, OnUpdateViewControlBar)
  ON_COMMAND(ID_VIEW_TABBED, OnViewTabbed)
  ON_UPDATE_COMMAND_UI(ID_VIEW_TABBED, OnUpdateViewTabbed)
  ON_COMMAND(ID_TOOLS_ADD_SUBTRACT, OnToolsAddSubtract)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_ADD_SUBTRACT, OnUpdateToolsAddSubtract)
  ON_COMMAND(IDC_ARITH_CLOSE, OnArithmeticClose)
END_MESSAGE_MAP()

namespace {
// The tabbed window list: several rows at the bottom, the hot tab marked.
const DWORD kTabStyles = TCS_MULTILINE | TCS_HOTTRACK | TCS_BOTTOM | TCS_SCROLLOPPOSITE;
}  // namespace

CBrivaneProView* GetActiveSpectrumViewChecked() {
  CWnd* pMain = AfxGetMainWnd();
  if (pMain == nullptr || !pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
    return nullptr;
  CMDIChildWnd* pChild = static_cast<CMDIFrameWnd*>(pMain)->MDIGetActive();
  CWnd* pView = pChild != nullptr ? pChild->GetActiveView() : nullptr;
  return pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CBrivaneProView)) ? static_cast<CBrivaneProView*>(pView)
                                                                             : nullptr;
}

CWnd* ActiveViewWindow() {
  return GetActiveSpectrumViewChecked();
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style = WS_OVERLAPPEDWINDOW | WS_MAXIMIZE | FWS_ADDTOTITLE;
  return CMDIFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CMDIFrameWnd::OnCreate(lpcs) == -1)
    return -1;
  const DWORD dwBarStyle =
      WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
  if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, dwBarStyle) || !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
    return -1;
  if (!m_wndProcessBar.CreateEx(this, TBSTYLE_FLAT, dwBarStyle, CRect(0, 0, 0, 0), ID_PROCESS_TOOLBAR) ||
      !m_wndProcessBar.LoadToolBar(IDR_PROCESSBAR))
    return -1;
  static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
  if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, 4)) {
    AfxMessageBox("Failed to create barra de estado");
    return -1;
  }
  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  m_wndProcessBar.EnableDocking(CBRS_ALIGN_ANY);
  EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndToolBar);
  DockControlBarLeftOf(&m_wndProcessBar, &m_wndToolBar);
  m_wndTabs.Install(this, kTabStyles);
  if (m_wndScaleBar.Create(this, IDD_SCALE_BAR, CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, IDD_SCALE_BAR)) {
    m_wndScaleBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndScaleBar);
    ShowControlBar(&m_wndScaleBar, TRUE, FALSE);
  }
  // The relaxation bar in a rebar of its own, shown on demand.
  if (!m_wndRelaxationBar.Create(this, IDD_RELAXATION_BAR, WS_VISIBLE | CBRS_TOP, IDD_RELAXATION_BAR) ||
      !m_wndRelaxationReBar.Create(this, RBS_BANDBORDERS,
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                                   ID_RELAXATION_REBAR) ||
      !m_wndRelaxationReBar.AddBar(&m_wndRelaxationBar, nullptr, nullptr, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP))
    AfxMessageBox("Failed to create rebar de aritmetica\n");
  if (!m_wndArithmeticReBar.Create(this) ||
      !m_wndArithmeticBar.Create(this, IDD_SPECTRUM_ARITHMETIC, WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                                 ID_ARITHMETIC_BAR) ||
      !m_wndArithmeticReBar.AddBar(&m_wndArithmeticBar, nullptr, nullptr, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP))
    AfxMessageBox("Failed to create rebar de aritmetica\n");
  LoadBarState("ToolBarDockState");
  if (m_wndRelaxationReBar.m_hWnd != nullptr)
    ShowControlBar(&m_wndRelaxationReBar, FALSE, FALSE);
  if (m_wndArithmeticReBar.GetSafeHwnd() != nullptr)
    ShowControlBar(&m_wndArithmeticReBar, FALSE, FALSE);
  CSplashWnd::ShowSplashScreen(this, IDB_SPLASH);
  return 0;
}

void CMainFrame::OnToolsRelaxation() {
  if (m_wndRelaxationReBar.m_hWnd != nullptr)
    ShowControlBar(&m_wndRelaxationReBar, !m_wndRelaxationReBar.IsVisible(), FALSE);
}

void CMainFrame::OnUpdateToolsRelaxation(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_wndRelaxationReBar.m_hWnd != nullptr);
  pCmdUI->SetCheck(m_wndRelaxationReBar.m_hWnd != nullptr && m_wndRelaxationReBar.IsVisible());
}

void CMainFrame::OnViewControlBar() {
  if (m_wndScaleBar.m_hWnd != nullptr)
    ShowControlBar(&m_wndScaleBar, !m_wndScaleBar.IsVisible(), FALSE);
}

void CMainFrame::OnUpdateViewControlBar(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_wndScaleBar.m_hWnd != nullptr && m_wndScaleBar.IsVisible());
}

void CMainFrame::OnViewTabbed() {
  if (m_wndTabs.IsInstalled())
    m_wndTabs.Uninstall();
  else
    m_wndTabs.Install(this, kTabStyles);
}

void CMainFrame::OnUpdateViewTabbed(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_wndTabs.IsInstalled());
}

BOOL CMainFrame::IsArithmeticBarVisible() const {
  return m_wndArithmeticReBar.GetSafeHwnd() != nullptr && m_wndArithmeticReBar.IsVisible();
}

void CMainFrame::ShowArithmeticFactor(LPCSTR pszFactor, int nScrollPos) {
  if (m_wndArithmeticBar.GetSafeHwnd() != nullptr)
    m_wndArithmeticBar.ShowFactor(pszFactor, nScrollPos);
}

void CMainFrame::OnToolsAddSubtract() {
  CBrivaneProDoc* pDoc = GetActiveSpectrumDoc();
  if (pDoc == nullptr || m_wndArithmeticReBar.GetSafeHwnd() == nullptr)
    return;
  if (IsArithmeticBarVisible()) {
    OnArithmeticClose();
    return;
  }
  if (!pDoc->PrepareArithmetic(m_fLargestScale))
    return;
  m_wndArithmeticBar.Prepare(pDoc->GetCurrentSpectrum()->m_paramsA.td, m_fLargestScale);
  ShowControlBar(&m_wndArithmeticReBar, TRUE, FALSE);
  pDoc->ArrangeOverlay();
}

void CMainFrame::OnUpdateToolsAddSubtract(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(IsArithmeticBarVisible());
}

void CMainFrame::OnArithmeticClose() {
  ShowControlBar(&m_wndArithmeticReBar, FALSE, FALSE);
  if (CBrivaneProDoc* pDoc = GetActiveSpectrumDoc())
    pDoc->UpdateViews();
}

void CMainFrame::OnViewProcessBar() {
  ShowControlBar(&m_wndProcessBar, !m_wndProcessBar.IsVisible(), FALSE);
}

void CMainFrame::OnUpdateViewProcessBar(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_wndProcessBar.IsVisible());
}

// The process toolbar's Baseline Correction button drops down the four
// baseline corrections under itself.
void CMainFrame::OnBaselineMenu() {
  int nIndex = m_wndProcessBar.CommandToIndex(ID_PROCESS_BASELINE_MENU);
  if (nIndex < 0)
    return;
  CRect rcButton;
  m_wndProcessBar.GetItemRect(nIndex, &rcButton);
  m_wndProcessBar.ClientToScreen(&rcButton);
  HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_BASELINE_POPUP));
  if (hMenu == nullptr)
    return;
  ::TrackPopupMenu(::GetSubMenu(hMenu, 0), TPM_LEFTALIGN | TPM_LEFTBUTTON, rcButton.left, rcButton.bottom, 0, m_hWnd,
                   nullptr);
  ::DestroyMenu(hMenu);
}

void CMainFrame::OnClose() {
  // Bars hidden for full screen must not be saved as hidden.
  ExitFullScreen();
  SaveBarState("ToolBarDockState");
  // The history goes with the program; a close the user cancels keeps it.
  HWND hWnd = m_hWnd;
  CBrivaneProApp* pApp = GetBrivaneApp();
  CMDIFrameWnd::OnClose();
  if (!::IsWindow(hWnd))
    pApp->GetHistory().RemoveAll();
}

CControlBar* CMainFrame::FullScreenBar(int nIndex) const {
  switch (nIndex) {
    case 0:
      return const_cast<CToolBar*>(&m_wndToolBar);
    case 1:
      return m_wndScaleBar.m_hWnd != nullptr ? const_cast<CScaleBar*>(&m_wndScaleBar) : nullptr;
    case 2:
      return const_cast<CStatusBar*>(&m_wndStatusBar);
    default:
      return nullptr;
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

  ::LockWindowUpdate(m_hWnd);
  WINDOWPLACEMENT wp = m_wpFrame;
  wp.showCmd = SW_SHOWNORMAL;
  wp.rcNormalPosition = m_rectFullScreen;
  SetWindowPlacement(&wp);
  FitFullScreenChild();
  ::LockWindowUpdate(nullptr);
}

// The window fills what the bars that stay (the process toolbar, the window
// tabs) leave of the screen, its caption and borders outside it: the whole
// screen would put its view's lower edge, with the scale, under the tabs
// and off the screen.
void CMainFrame::FitFullScreenChild() {
  CRect rcChild;
  ::GetClientRect(m_hWndMDIClient, &rcChild);
  ::AdjustWindowRectEx(&rcChild, m_pFullScreenChild->GetStyle(), FALSE, m_pFullScreenChild->GetExStyle());
  WINDOWPLACEMENT wpChild = m_wpChild;
  wpChild.showCmd = SW_SHOWNORMAL;
  wpChild.rcNormalPosition = rcChild;
  m_pFullScreenChild->SetWindowPlacement(&wpChild);
}

void CMainFrame::RecalcLayout(BOOL bNotify) {
  CMDIFrameWnd::RecalcLayout(bNotify);
  // The full-screen window follows the room, as the tabs take rows or a bar
  // comes or goes.
  if (IsFullScreen())
    FitFullScreenChild();
}

void CMainFrame::ExitFullScreen() {
  LeaveFullScreen(TRUE);
}

void CMainFrame::ForgetFullScreenChild(CWnd* pChild) {
  if (pChild != nullptr && pChild == m_pFullScreenChild)
    LeaveFullScreen(FALSE);
}

void CMainFrame::LeaveFullScreen(BOOL bRestoreChild) {
  if (!IsFullScreen())
    return;
  CWnd* pChild = m_pFullScreenChild;
  m_pFullScreenChild = nullptr;
  for (int i = 0; i < kFullScreenBars; ++i) {
    CControlBar* pBar = FullScreenBar(i);
    if (pBar != nullptr)
      ShowControlBar(pBar, m_bBarVisible[i], FALSE);
  }
  if (bRestoreChild)
    pChild->SetWindowPlacement(&m_wpChild);
  SetWindowPlacement(&m_wpFrame);
  // The caption and the menu come back from above the screen, where
  // nothing of them was drawn to bring back: the frame paints them anew.
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
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
