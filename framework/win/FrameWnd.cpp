#include "framework/win/FrameWnd.h"

#include <dde.h>

#include "framework/win/CmdUI.h"
#include "framework/win/ControlBar.h"
#include "framework/win/DocManager.h"
#include "framework/win/Document.h"
#include "framework/win/Menu.h"
#include "framework/win/UiHooks.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_CLOSE()
  ON_WM_SETFOCUS()
  ON_WM_DROPFILES()
  ON_WM_MENUSELECT()
  ON_WM_INITMENUPOPUP()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
  ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
  ON_MESSAGE(WM_DDE_INITIATE, OnDDEInitiate)
  ON_MESSAGE(WM_DDE_EXECUTE, OnDDEExecute)
  ON_MESSAGE(WM_DDE_TERMINATE, OnDDETerminate)
  ON_NOTIFY_RANGE(TTN_GETDISPINFOA, 0, 0xFFFF, OnToolTipText)
  ON_NOTIFY_RANGE(TBN_HOTITEMCHANGE, 0, 0xFFFF, OnToolbarHotItem)
  ON_COMMAND_EX_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, OnBarCheck)
  ON_UPDATE_COMMAND_UI_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, OnUpdateControlBarMenu)
  ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
  // A maximised MDI child's system menu and the Window menu's list of
  // children belong to the system: the update pass leaves them alone.
  ON_UPDATE_COMMAND_UI_RANGE(0xF000, 0xF1FF, OnUpdateSystemEntry)
  ON_UPDATE_COMMAND_UI_RANGE(AFX_IDM_FIRST_MDICHILD, 0xFFFE, OnUpdateSystemEntry)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  HMENU hMenu = nullptr;
  if (lpszMenuName != nullptr) {
    hMenu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
    if (hMenu == nullptr)
      return FALSE;
  }
  m_hMenuDefault = hMenu;
  m_bAddToTitle = (dwStyle & FWS_ADDTOTITLE) != 0;
  m_strTitle = lpszWindowName != nullptr ? lpszWindowName : "";
  if (lpszClassName == nullptr)
    lpszClassName =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1), nullptr);
  int cx = rect.right - rect.left;
  int cy = rect.bottom - rect.top;
  if (rect.left == CW_USEDEFAULT)
    cx = cy = CW_USEDEFAULT;
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle & ~FWS_ADDTOTITLE, rect.left, rect.top, cx, cy,
                CWnd::HwndOf(pParentWnd), hMenu, pContext)) {
    // A failed creation leaves no window to own the menu.
    if (hMenu != nullptr && ::IsMenu(hMenu))
      ::DestroyMenu(hMenu);
    m_hMenuDefault = nullptr;
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  HINSTANCE hInst = AfxGetResourceHandle();
  CString title = AfxLoadString(nIDResource);
  int newline = title.Find('\n');
  if (newline >= 0)
    title = title.Left(newline);
  HICON hIcon = ::LoadIconA(hInst, MAKEINTRESOURCEA(nIDResource));
  LPCSTR lpszClass =
      AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1), hIcon);
  LPCSTR lpszMenu = nullptr;
  if (::FindResourceA(hInst, MAKEINTRESOURCEA(nIDResource), (LPCSTR)RT_MENU) != nullptr)
    lpszMenu = MAKEINTRESOURCEA(nIDResource);
  if (!Create(lpszClass, title, dwDefaultStyle, rectDefault, pParentWnd, lpszMenu, 0, pContext))
    return FALSE;
  LoadAccelTable(MAKEINTRESOURCEA(nIDResource));
  OnUpdateFrameTitle(TRUE);
  return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR lpszResourceName) {
  m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), lpszResourceName);
  return m_hAccelTable != nullptr;
}

void CFrameWnd::SetActiveView(CWnd* pViewNew, BOOL bNotify) {
  CWnd* pOld = m_pViewActive;
  if (pOld == pViewNew)
    return;
  m_pViewActive = pViewNew;
  if (!bNotify)
    return;
  CView* pViewOld = pOld != nullptr && pOld->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pOld) : nullptr;
  CView* pView =
      pViewNew != nullptr && pViewNew->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pViewNew) : nullptr;
  if (pViewOld != nullptr)
    pViewOld->OnActivateView(FALSE, pView, pViewOld);
  if (pView != nullptr)
    pView->OnActivateView(TRUE, pView, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument() {
  CWnd* pView = GetActiveView();
  return pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pView)->GetDocument()
                                                                   : nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1)
    return -1;
  return OnCreateClient(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams)) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
    return TRUE;
  return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
    return nullptr;
  CObject* pObject = pContext->m_pNewViewClass->CreateObject();
  if (pObject == nullptr)
    return nullptr;
  if (!pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
    delete pObject;
    return nullptr;
  }
  CWnd* pView = static_cast<CWnd*>(pObject);
  // A view whose window fails deletes itself (PostNcDestroy).
  if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext))
    return nullptr;
  return pView;
}

void CFrameWnd::OnSize(UINT nType, int, int) {
  if (nType != SIZE_MINIMIZED)
    RecalcLayout();
}

void CFrameWnd::RecalcLayout(BOOL) {
  if (m_hWnd == nullptr)
    return;
  CRect rc;
  GetClientRect(&rc);
  CDockLayout::RepositionBars(this, rc);
  rc.InflateRect(-m_rectBorderSpace.left, -m_rectBorderSpace.top, -m_rectBorderSpace.right, -m_rectBorderSpace.bottom);
  HWND hWndPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
  if (hWndPane != nullptr)
    ::SetWindowPos(hWndPane, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CFrameWnd::OnRecalcParent(WPARAM, LPARAM) {
  RecalcLayout();
  return 0;
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1)
    nCmdShow = IsWindowVisible() ? SW_SHOW : SW_SHOWNORMAL;
  ShowWindow(nCmdShow);
  if (nCmdShow != SW_HIDE)
    BringWindowToTop();
}

// The first view among the descendants with id nID, else the first visible view.
static CView* FindPaneView(HWND hWndParent, UINT nID, CView*& pFirst) {
  for (HWND hWnd = ::GetTopWindow(hWndParent); hWnd != nullptr; hWnd = ::GetNextWindow(hWnd, GW_HWNDNEXT)) {
    CWnd* pChild = CWnd::FromHandlePermanent(hWnd);
    if (pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CView))) {
      if ((UINT)::GetDlgCtrlID(hWnd) == nID)
        return static_cast<CView*>(pChild);
      if (pFirst == nullptr && ::IsWindowVisible(hWnd))
        pFirst = static_cast<CView*>(pChild);
    }
    if (CView* pFound = FindPaneView(hWnd, nID, pFirst))
      return pFound;
  }
  return nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible) {
  CView* pView = nullptr;
  if (GetActiveView() == nullptr) {
    CView* pFirst = nullptr;
    pView = FindPaneView(m_hWnd, AFX_IDW_PANE_FIRST, pFirst);
    if (pView == nullptr)
      pView = pFirst;
    if (pView != nullptr)
      SetActiveView(pView, FALSE);
  }
  SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
  if (bMakeVisible) {
    ActivateFrame(-1);
    if (pView != nullptr)
      pView->OnActivateView(TRUE, pView, pView);
  }
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (m_hWnd == nullptr || !m_bAddToTitle || !bAddToTitle)
    return;
  CDocument* pDoc = GetActiveDocument();
  if (pDoc == nullptr)
    return;
  CString title = pDoc->GetTitle();
  if (!m_strTitle.IsEmpty())
    title += " - " + m_strTitle;
  CString current;
  GetWindowText(current);
  if (current != title)
    SetWindowText(title);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  CDockLayout::DockControlBar(this, pBar, nDockBarID, lpRect);
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD) {
  CDockLayout::FloatControlBar(this, pBar, point);
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL) {
  CDockLayout::ShowControlBar(this, pBar, bShow);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
  return CDockLayout::GetControlBar(this, nID);
}

void CFrameWnd::SaveBarState(LPCSTR lpszProfileName) const {
  CDockLayout::SaveBarState(this, lpszProfileName);
}

void CFrameWnd::LoadBarState(LPCSTR lpszProfileName) {
  CDockLayout::LoadBarState(this, lpszProfileName);
}

void CFrameWnd::OnClose() {
  CDocument* pDoc = GetActiveDocument();
  if (pDoc != nullptr && !pDoc->CanCloseFrame(this))
    return;  // the user kept the changes open
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr && pApp->m_pMainWnd == this) {
    // The program ends: every document is asked about first.
    if (!pApp->SaveAllModified())
      return;
    pApp->CloseAllDocuments(FALSE);
    if (m_hWnd == nullptr)
      return;  // a document's close took the frame already
  } else if (pDoc != nullptr && pDoc->m_bAutoDelete) {
    // A document's last window closes the document.
    BOOL bOtherFrame = FALSE;
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != nullptr) {
      CFrameWnd* pViewFrame = pDoc->GetNextView(pos)->GetParentFrame();
      if (pViewFrame != nullptr && pViewFrame != this)
        bOtherFrame = TRUE;
    }
    if (!bOtherFrame) {
      pDoc->OnCloseDocument();
      return;
    }
    pDoc->PreCloseFrame(this);
  }
  DestroyWindow();
}

void CFrameWnd::OnSetFocus(CWnd*) {
  if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
    m_pViewActive->SetFocus();
  else
    Default();
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo) {
  ::SetActiveWindow(m_hWnd);
  CWinApp* pApp = AfxGetApp();
  UINT nFiles = ::DragQueryFileA(hDropInfo, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < nFiles && pApp != nullptr; ++i) {
    char path[MAX_PATH];
    if (::DragQueryFileA(hDropInfo, i, path, MAX_PATH) != 0)
      pApp->OpenDocumentFile(path);
  }
  ::DragFinish(hDropInfo);
}

BOOL CFrameWnd::RouteCommandInFrame(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) {
  CFrameWnd* pActive = GetActiveFrame();
  if (pActive != nullptr && pActive != this && pActive->RouteCommandInFrame(nID, nCode, pExtra, pProbe))
    return TRUE;
  if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pProbe))
    return TRUE;
  return CWnd::OnCmdMsg(nID, nCode, pExtra, pProbe);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) {
  if (RouteCommandInFrame(nID, nCode, pExtra, pProbe))
    return TRUE;
  CWinApp* pApp = AfxGetApp();
  return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pProbe);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr)
    return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
  return FALSE;
}

void CFrameWnd::UpdateMenuEntries(CMenu* pMenu, BOOL bDeep) {
  if (pMenu == nullptr || !::IsMenu(pMenu->m_hMenu))
    return;
  CCmdUI state;
  state.m_pMenu = pMenu;
  state.m_nIndexMax = pMenu->GetMenuItemCount();
  for (UINT i = 0; i < state.m_nIndexMax; ++i) {
    state.m_nIndex = i;
    state.m_nID = pMenu->GetMenuItemID((int)i);
    if (state.m_nID == 0)
      continue;  // separator
    if (state.m_nID == (UINT)-1) {
      // A pop-up: its own entries, when asked for.
      if (bDeep)
        UpdateMenuEntries(pMenu->GetSubMenu((int)i), TRUE);
      continue;
    }
    state.m_pSubMenu = nullptr;
    state.DoUpdate(this, TRUE);
  }
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  Default();
  if (!bSysMenu)
    UpdateMenuEntries(pPopupMenu, FALSE);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
  // A child frame (an MDI document window) has no menu bar of its own.
  if (!(GetStyle() & WS_CHILD))
    UpdateMenuEntries(GetMenu(), TRUE);
  OnUpdateFrameTitle(TRUE);
  // Floating bars are not among the frame's descendants.
  for (CControlBar* pBar : CControlBar::BarsOf(this))
    if (pBar->IsFloating())
      pBar->SendMessage(WM_IDLEUPDATECMDUI, wParam, lParam);
  return 0;
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  rMessage = AfxLoadString(nID);
  int newline = rMessage.Find('\n');
  if (newline >= 0)
    rMessage = rMessage.Left(newline);
}

CWnd* CFrameWnd::GetMessageBar() {
  return GetControlBar(AFX_IDW_STATUS_BAR);
}

void CFrameWnd::SetMessageText(LPCSTR lpszText) {
  CWnd* pBar = GetMessageBar();
  if (pBar != nullptr)
    pBar->SetWindowText(lpszText);
}

void CFrameWnd::SetMessageText(UINT nID) {
  CString text;
  if (nID == AFX_IDS_IDLEMESSAGE) {
    text = AfxLoadString(AFX_IDS_IDLEMESSAGE);
    if (text.IsEmpty())
      text = "Ready";
  } else {
    GetMessageString(nID, text);
  }
  m_nIDLastMessage = nID;
  SetMessageText(text);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  UINT nIDLast = m_nIDLastMessage;
  if (wParam != 0)
    SetMessageText((UINT)wParam);
  else if (lParam != 0)
    SetMessageText(reinterpret_cast<LPCSTR>(lParam));
  return nIDLast;
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
  Default();
  if (GetMessageBar() == nullptr)
    return;
  if (nFlags == 0xFFFF && hSysMenu == nullptr)
    SetMessageText(AFX_IDS_IDLEMESSAGE);  // the menu closed
  else if (nFlags & (MF_POPUP | MF_SEPARATOR))
    SetMessageText("");
  else if (nItemID >= AFX_IDM_FIRST_MDICHILD)
    SetMessageText("Activate this window");
  else
    SetMessageText(nItemID);
}

void CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  NMTTDISPINFOA* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
  UINT nID = (UINT)pNMHDR->idFrom;
  if (pInfo->uFlags & TTF_IDISHWND)
    nID = (UINT)::GetDlgCtrlID((HWND)pNMHDR->idFrom);
  // The tip is the text after '\n' of the command's string.
  CString text = AfxLoadString(nID);
  int newline = text.Find('\n');
  text = newline >= 0 ? text.Mid(newline + 1) : CString();
  lstrcpynA(pInfo->szText, text, sizeof(pInfo->szText));
  pInfo->lpszText = pInfo->szText;
  *pResult = 0;
}

void CFrameWnd::OnToolbarHotItem(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  const NMTBHOTITEM* pHot = reinterpret_cast<const NMTBHOTITEM*>(pNMHDR);
  CWnd* pBar = CWnd::FromHandlePermanent(pNMHDR->hwndFrom);
  *pResult = 0;
  if (pBar == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CControlBar)) ||
      !(static_cast<CControlBar*>(pBar)->GetBarStyle() & CBRS_FLYBY))
    return;
  if ((pHot->dwFlags & HICF_LEAVING) || pHot->idNew == 0)
    SetMessageText(AFX_IDS_IDLEMESSAGE);
  else
    SetMessageText((UINT)pHot->idNew);
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
  CControlBar* pBar = GetControlBar(nID);
  if (pBar == nullptr)
    return FALSE;
  ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
  return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
  CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
  if (pBar == nullptr) {
    pCmdUI->ContinueRouting();
    return;
  }
  pCmdUI->Enable(TRUE);
  pCmdUI->SetCheck(pBar->IsVisible() ? 1 : 0);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI) {
  int vk = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK : VK_SCROLL;
  pCmdUI->Enable((::GetKeyState(vk) & 1) != 0);
}

void CFrameWnd::OnUpdateSystemEntry(CCmdUI* pCmdUI) {
  pCmdUI->m_bEnableChanged = TRUE;
}

void CFrameWnd::OnDestroy() {
  // The menu goes with the window; forget it so nothing uses a dead handle.
  m_hMenuDefault = nullptr;
  CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy() {
  delete this;
}
