#include "framework/win/FrameWnd.h"

#include "framework/win/CmdUI.h"
#include "framework/win/Menu.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_INITMENUPOPUP()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  HMENU hMenu = nullptr;
  if (lpszMenuName != nullptr) {
    hMenu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
    if (hMenu == nullptr) return FALSE;
  }
  m_hMenuDefault = hMenu;
  if (lpszClassName == nullptr)
    lpszClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW),
                                        (HBRUSH)(COLOR_WINDOW + 1), nullptr);
  int cx = rect.right - rect.left;
  int cy = rect.bottom - rect.top;
  if (rect.left == CW_USEDEFAULT) cx = cy = CW_USEDEFAULT;
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle & ~FWS_ADDTOTITLE, rect.left, rect.top, cx, cy,
                CWnd::HwndOf(pParentWnd), hMenu, pContext)) {
    // A failed creation leaves no window to own the menu.
    if (hMenu != nullptr && ::IsMenu(hMenu)) ::DestroyMenu(hMenu);
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
  if (newline >= 0) title = title.Left(newline);
  HICON hIcon = ::LoadIconA(hInst, MAKEINTRESOURCEA(nIDResource));
  LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW),
                                         (HBRUSH)(COLOR_WINDOW + 1), hIcon);
  LPCSTR lpszMenu = nullptr;
  if (::FindResourceA(hInst, MAKEINTRESOURCEA(nIDResource), (LPCSTR)RT_MENU) != nullptr)
    lpszMenu = MAKEINTRESOURCEA(nIDResource);
  if (!Create(lpszClass, title, dwDefaultStyle, rectDefault, pParentWnd, lpszMenu, 0, pContext)) return FALSE;
  LoadAccelTable(MAKEINTRESOURCEA(nIDResource));
  return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR lpszResourceName) {
  m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), lpszResourceName);
  return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::RouteCommandInFrame(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) {
  CFrameWnd* pActive = GetActiveFrame();
  if (pActive != nullptr && pActive != this && pActive->RouteCommandInFrame(nID, nCode, pExtra, pProbe)) return TRUE;
  if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pProbe)) return TRUE;
  return CWnd::OnCmdMsg(nID, nCode, pExtra, pProbe);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) {
  if (RouteCommandInFrame(nID, nCode, pExtra, pProbe)) return TRUE;
  CWinApp* pApp = AfxGetApp();
  return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pProbe);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr)
    return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
  return FALSE;
}

void CFrameWnd::UpdateMenuEntries(CMenu* pMenu, BOOL bDeep) {
  if (pMenu == nullptr) return;
  CCmdUI state;
  state.m_pMenu = pMenu;
  state.m_nIndexMax = pMenu->GetMenuItemCount();
  for (UINT i = 0; i < state.m_nIndexMax; ++i) {
    state.m_nIndex = i;
    state.m_nID = pMenu->GetMenuItemID((int)i);
    if (state.m_nID == 0) continue;  // separator
    if (state.m_nID == (UINT)-1) {
      // A pop-up: its own entries, when asked for.
      if (bDeep) UpdateMenuEntries(pMenu->GetSubMenu((int)i), TRUE);
      continue;
    }
    state.m_pSubMenu = nullptr;
    state.DoUpdate(this, TRUE);
  }
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  Default();
  if (!bSysMenu) UpdateMenuEntries(pPopupMenu, FALSE);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  UpdateMenuEntries(GetMenu(), TRUE);
  return 0;
}

void CFrameWnd::OnDestroy() {
  // The menu goes with the window; forget it so nothing uses a dead handle.
  m_hMenuDefault = nullptr;
  CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy() { delete this; }
