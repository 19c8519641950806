#include "framework/win/MDIFrameWnd.h"

#include "framework/win/CmdUI.h"
#include "framework/win/Document.h"
#include "framework/win/MDIChildWnd.h"
#include "framework/win/Menu.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
  ON_WM_DESTROY()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_COMMAND_EX_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
  ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle | WS_CLIPCHILDREN, pParentWnd, pContext);
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
  return CreateClient(lpcs, nullptr);
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
  if (hMenuBar == nullptr)
    return nullptr;
  int nCount = ::GetMenuItemCount(hMenuBar);
  for (int i = 0; i < nCount; ++i) {
    HMENU hPopup = ::GetSubMenu(hMenuBar, i);
    if (hPopup == nullptr)
      continue;
    int nItems = ::GetMenuItemCount(hPopup);
    for (int j = 0; j < nItems; ++j) {
      UINT nID = ::GetMenuItemID(hPopup, j);
      if (nID >= ID_WINDOW_NEW && nID <= ID_WINDOW_SPLIT)
        return hPopup;
    }
  }
  return nullptr;
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu) {
  CLIENTCREATESTRUCT ccs = {};
  ccs.hWindowMenu = pWindowMenu != nullptr ? pWindowMenu->m_hMenu : GetWindowMenuPopup(::GetMenu(m_hWnd));
  ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
  // The client takes the pane id, so the frame's layout places it.
  m_hWndMDIClient = ::CreateWindowExA(
      WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | MDIS_ALLCHILDSTYLES, 0, 0,
      0, 0, m_hWnd, (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
  return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  BOOL bMaximized = FALSE;
  HWND hWnd = m_hWndMDIClient != nullptr
                  ? (HWND)::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized)
                  : nullptr;
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
    pWnd = nullptr;
    bMaximized = FALSE;
  }
  if (pbMaximized != nullptr)
    *pbMaximized = bMaximized;
  return static_cast<CMDIChildWnd*>(pWnd);
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
  ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)CWnd::HwndOf(pWndActivate), 0);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* pChild = MDIGetActive();
  return pChild != nullptr ? static_cast<CFrameWnd*>(pChild) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
  CMDIChildWnd* pChild = MDIGetActive();
  return pChild != nullptr ? pChild->GetActiveDocument() : nullptr;
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
    return FALSE;
  if (m_hWndMDIClient != nullptr && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
    return TRUE;
  // The active document type's accelerators first, then the frame's own.
  CMDIChildWnd* pChild = MDIGetActive();
  HACCEL hAccel = pChild != nullptr ? pChild->m_hAccelTable : nullptr;
  if (hAccel != nullptr && ::TranslateAcceleratorA(m_hWnd, hAccel, pMsg))
    return TRUE;
  return m_hAccelTable != nullptr && hAccel != m_hAccelTable && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  HMENU hMenu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuDefault;
  if (m_hMenuInPlaceShared != nullptr)
    hMenu = m_hMenuInPlaceShared;
  if (m_hWndMDIClient == nullptr || hMenu == nullptr || ::GetMenu(m_hWnd) == hMenu)
    return;
  ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenu, (LPARAM)GetWindowMenuPopup(hMenu));
  ::DrawMenuBar(m_hWnd);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (m_hWnd == nullptr)
    return;
  CString title = m_strTitle;
  BOOL bMaximized = FALSE;
  CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
  // A maximised child's name is added by the system itself.
  if (bAddToTitle && m_bAddToTitle && pChild != nullptr && !bMaximized) {
    CDocument* pDoc = pChild->GetActiveDocument();
    if (pDoc != nullptr && !pDoc->GetTitle().IsEmpty())
      title += " - " + pDoc->GetTitle();
  }
  CString current;
  GetWindowText(current);
  if (current != title)
    SetWindowText(title);
}

void CMDIFrameWnd::OnDestroy() {
  // The frame's own menu goes with the window; a document type's menu stays
  // with its template.
  if (m_hMenuDefault != nullptr && ::GetMenu(m_hWnd) != m_hMenuDefault)
    ::SetMenu(m_hWnd, m_hMenuDefault);
  CFrameWnd::OnDestroy();
}

LRESULT CMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
  // The menu of the active document type, then its entries.
  CMDIChildWnd* pChild = MDIGetActive();
  OnUpdateFrameMenu(pChild != nullptr ? pChild->m_hMenuShared : nullptr);
  return CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID) {
  switch (nID) {
    case ID_WINDOW_CASCADE:
      MDICascade();
      return TRUE;
    case ID_WINDOW_TILE_HORZ:
      MDITile(MDITILE_HORIZONTAL);
      return TRUE;
    case ID_WINDOW_TILE_VERT:
      MDITile(MDITILE_VERTICAL);
      return TRUE;
    case ID_WINDOW_ARRANGE:
      MDIIconArrange();
      return TRUE;
    default:
      return FALSE;
  }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) {
  pCmdUI->Enable(MDIGetActive() != nullptr);
}
