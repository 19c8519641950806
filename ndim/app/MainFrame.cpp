#include "ndim/app/MainFrame.h"

#include "common/SplashWnd.h"
#include "framework/win/CmdUI.h"
#include "framework/win/Dialog.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/MDIChildWnd.h"
#include "framework/win/UiHooks.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"
#include "ndim/app/BrivanenDApp.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/BrivanenDView.h"
#include "ndim/app/OneDProgram.h"
#include "ndim/app/ScriptView.h"
#include "resources/BrivanenDRes.h"

namespace {

const char kBarState[] = "BVX2DToolBarDockState";
const char kTracesCaption[] = "Slices/Projections";

}  // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_WM_GETMINMAXINFO()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_COMMAND(ID_VIEW_FULL_SCREEN, OnViewFullScreen)
  ON_UPDATE_COMMAND_UI(ID_VIEW_FULL_SCREEN, OnUpdateViewFullScreen)
  ON_COMMAND(ID_VIEW_GRAPH_VIEW, OnViewGraphView)
  ON_UPDATE_COMMAND_UI(ID_VIEW_GRAPH_VIEW, OnUpdateDocumentView)
  ON_COMMAND(ID_VIEW_SCRIPT_VIEW, OnViewScriptView)
  ON_UPDATE_COMMAND_UI(ID_VIEW_SCRIPT_VIEW, OnUpdateDocumentView)
  ON_COMMAND(ID_VIEW_COMMAND_BAR, OnViewCommandBar)
  ON_UPDATE_COMMAND_UI(ID_VIEW_COMMAND_BAR, OnUpdateViewCommandBar)
  ON_COMMAND(ID_VIEW_TRACES_TOOLBAR, OnViewTracesToolBar)
  ON_UPDATE_COMMAND_UI(ID_VIEW_TRACES_TOOLBAR, OnUpdateViewTracesToolBar)
  ON_COMMAND(ID_HELP_MANUAL, OnHelpManual)
END_MESSAGE_MAP()

CMainFrame::~CMainFrame() = default;

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CMDIFrameWnd::OnCreate(lpcs) == -1)
    return -1;
  const DWORD dwBarStyle =
      WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
  if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, dwBarStyle) || !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
    return -1;
  if (!m_wndTracesBar.CreateEx(this, TBSTYLE_FLAT, dwBarStyle, CRect(0, 0, 0, 0), ID_TRACES_BAR) ||
      !m_wndTracesBar.LoadToolBar(IDR_TRACESBAR))
    return -1;
  static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
  if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, 4))
    return -1;
  if (!m_wndCommandBar.Create(this, IDR_MAINFRAME, CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, ID_COMMAND_BAR))
    return -1;
  ShowControlBar(&m_wndCommandBar, FALSE, FALSE);

  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  m_wndTracesBar.EnableDocking(CBRS_ALIGN_ANY);
  EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndToolBar);
  m_wndTracesBar.SetWindowText(kTracesCaption);
  FloatControlBar(&m_wndTracesBar, CPoint(150, 150));
  LoadBarState(kBarState);

  CSplashWnd::ShowSplashScreen(this, IDB_SPLASH);
  m_wndMDIClient.Subclass(m_hWndMDIClient);
  return 0;
}

void CMainFrame::OnClose() {
  // Bars hidden for full screen must not be saved as hidden.
  ExitFullScreen();
  SaveBarState(kBarState);
  CMDIFrameWnd::OnClose();
}

// In full screen the frame reaches past the screen by its borders.
void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  CMDIFrameWnd::OnGetMinMaxInfo(lpMMI);
  if (m_bFullScreen) {
    lpMMI->ptMaxSize.x = lpMMI->ptMaxTrackSize.x = ::GetSystemMetrics(SM_CXSCREEN) + 8;
    lpMMI->ptMaxSize.y = lpMMI->ptMaxTrackSize.y = ::GetSystemMetrics(SM_CYSCREEN) + 8;
    lpMMI->ptMaxPosition.x = lpMMI->ptMaxPosition.y = -4;
  }
}

CString CMainFrame::GetCommandText() const {
  CString text;
  if (m_wndCommandBar.GetSafeHwnd() != nullptr)
    m_wndCommandBar.GetDlgItemText(IDC_COMMAND_EDIT, text);
  return text;
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN) {
    if (pMsg->wParam == VK_ESCAPE && m_bFullScreen) {
      ExitFullScreen();
      return TRUE;
    }
    HWND hWndEdit =
        m_wndCommandBar.GetSafeHwnd() != nullptr ? ::GetDlgItem(m_wndCommandBar.m_hWnd, IDC_COMMAND_EDIT) : nullptr;
    if (pMsg->wParam == VK_RETURN && hWndEdit != nullptr && pMsg->hwnd == hWndEdit) {
      if (CBrivanenDDoc* pDoc = GetActiveSpectrumDoc())
        pDoc->RunCommands(GetCommandText());
      return TRUE;
    }
  }
  return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

// The phase dialog's toolbar follows the commands at idle time too.
LRESULT CMainFrame::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
  LRESULT result = CMDIFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
  CBrivanenDDoc* pDoc = GetActiveSpectrumDoc();
  if (pDoc != nullptr && pDoc->m_pPhaseDialog != nullptr && pDoc->m_pPhaseDialog->GetSafeHwnd() != nullptr)
    pDoc->m_pPhaseDialog->SendMessage(WM_KICKIDLE, 0, 0);
  return result;
}

// --- Bars ---

void CMainFrame::ToggleBar(CControlBar* pBar) {
  ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
}

void CMainFrame::OnViewCommandBar() {
  ToggleBar(&m_wndCommandBar);
}

void CMainFrame::OnUpdateViewCommandBar(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_wndCommandBar.IsVisible());
}

void CMainFrame::OnViewTracesToolBar() {
  ToggleBar(&m_wndTracesBar);
}

void CMainFrame::OnUpdateViewTracesToolBar(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_wndTracesBar.IsVisible());
}

// --- Views of the active document ---

void CMainFrame::ShowDocumentView(CRuntimeClass* pViewClass, CDocTemplate* pTemplate) {
  CBrivanenDDoc* pDoc = GetActiveSpectrumDoc();
  if (pDoc == nullptr || pTemplate == nullptr)
    return;
  if (CView* pView = pDoc->FindView(pViewClass)) {
    if (CFrameWnd* pFrame = pView->GetParentFrame())
      pFrame->ActivateFrame();
    return;
  }
  CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, nullptr);
  if (pFrame != nullptr)
    pTemplate->InitialUpdateFrame(pFrame, pDoc);
}

void CMainFrame::OnUpdateDocumentView(CCmdUI* pCmdUI) {
  pCmdUI->Enable(GetActiveSpectrumDoc() != nullptr);
}

void CMainFrame::OnViewGraphView() {
  CBrivanenDApp* pApp = GetBrivanenDApp();
  ShowDocumentView(RUNTIME_CLASS(CBrivanenDView), pApp != nullptr ? pApp->m_pGraphTemplate : nullptr);
}

void CMainFrame::OnViewScriptView() {
  CBrivanenDApp* pApp = GetBrivanenDApp();
  ShowDocumentView(RUNTIME_CLASS(CScriptView), pApp != nullptr ? pApp->m_pScriptTemplate : nullptr);
}

void CMainFrame::OnHelpManual() {
  const CString manual = COneDProgramWin::GetProgramFolder() + "manual.pdf";
  AfxShellExecute(m_hWnd, "open", manual, nullptr, nullptr, SW_SHOW);
}

// --- Full screen ---

CControlBar* CMainFrame::FullScreenBar(int nIndex) {
  switch (nIndex) {
    case 0:
      return &m_wndToolBar;
    case 1:
      return &m_wndTracesBar;
    default:
      return &m_wndCommandBar;
  }
}

void CMainFrame::OnViewFullScreen() {
  if (m_bFullScreen)
    ExitFullScreen();
  else
    EnterFullScreen();
}

void CMainFrame::OnUpdateViewFullScreen(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_bFullScreen);
}

void CMainFrame::EnterFullScreen() {
  if (m_bFullScreen)
    return;
  for (int i = 0; i < kFullScreenBars; ++i) {
    m_bBarVisible[i] = FullScreenBar(i)->IsVisible();
    ShowControlBar(FullScreenBar(i), FALSE, FALSE);
  }
  GetWindowPlacement(&m_wpFrame);
  GetWindowRect(&m_rectFrame);
  m_bFullScreen = TRUE;
  ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0);
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  SetWindowPos(nullptr, -4, -4, cx + 8, cy + 8, SWP_NOZORDER | SWP_FRAMECHANGED);
  BOOL bMaximized = FALSE;
  CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
  m_bChildMaximized = bMaximized;
  if (pChild != nullptr)
    pChild->MDIMaximize();

  m_pFullScreenBar.reset(new CToolBar);
  if (!m_pFullScreenBar->CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                                  CRect(0, 0, 0, 0), ID_FULLSCREEN_BAR) ||
      !m_pFullScreenBar->LoadToolBar(IDR_FULLSCREEN)) {
    m_pFullScreenBar.reset();
    return;
  }
  m_pFullScreenBar->EnableDocking(0);
  FloatControlBar(m_pFullScreenBar.get(), CPoint(cx - 100, 50));
}

void CMainFrame::ExitFullScreen() {
  if (!m_bFullScreen)
    return;
  m_bFullScreen = FALSE;
  m_pFullScreenBar.reset();
  ModifyStyle(0, WS_CAPTION | WS_THICKFRAME);
  for (int i = 0; i < kFullScreenBars; ++i)
    ShowControlBar(FullScreenBar(i), m_bBarVisible[i], FALSE);
  // A maximised frame stayed maximised, so it only goes back to its
  // rectangle: the placement of a maximised window would move it to its
  // maximised position's corner with the full screen's size.
  if (IsZoomed())
    SetWindowPos(nullptr, m_rectFrame.left, m_rectFrame.top, m_rectFrame.Width(), m_rectFrame.Height(),
                 SWP_NOZORDER | SWP_FRAMECHANGED);
  else
    SetWindowPlacement(&m_wpFrame);
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
  RecalcLayout();
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  CMDIChildWnd* pChild = MDIGetActive();
  if (pChild != nullptr && !m_bChildMaximized)
    pChild->MDIRestore();
}
