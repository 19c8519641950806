#include "framework/win/MDIChildWnd.h"

#include "framework/win/DocTemplate.h"
#include "framework/win/Document.h"
#include "framework/win/MDIFrameWnd.h"
#include "framework/win/UiHooks.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  // Child -> MDI client -> frame.
  HWND hWndClient = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
  CWnd* pFrame = CWnd::FromHandlePermanent(hWndClient != nullptr ? ::GetParent(hWndClient) : nullptr);
  if (pFrame == nullptr)
    pFrame = AfxGetMainWnd();
  return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(pFrame)
                                                                            : nullptr;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
  LPCSTR lpszClass =
      AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1), hIcon);
  CMDIFrameWnd* pParent = pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))
                              ? static_cast<CMDIFrameWnd*>(pParentWnd)
                              : nullptr;
  if (pContext != nullptr && pContext->m_pNewDocTemplate != nullptr &&
      pContext->m_pNewDocTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate))) {
    CMultiDocTemplate* pTemplate = static_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate);
    m_hMenuShared = pTemplate->m_hMenuShared;
    m_hAccelTable = pTemplate->m_hAccelTable;
  }
  return Create(lpszClass, nullptr, dwDefaultStyle, rectDefault, pParent, pContext);
}

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
  if (pParentWnd == nullptr) {
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
      pParentWnd = static_cast<CMDIFrameWnd*>(pMain);
  }
  if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr || m_hWnd != nullptr)
    return FALSE;
  m_bAddToTitle = (dwStyle & FWS_ADDTOTITLE) != 0;
  CREATESTRUCT cs = {};
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = (dwStyle | WS_CHILD) & ~FWS_ADDTOTITLE;
  cs.x = rect.left;
  cs.y = rect.top;
  cs.cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
  cs.cy = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
  cs.hwndParent = pParentWnd->m_hWndMDIClient;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = pContext;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  MDICREATESTRUCTA mcs = {};
  mcs.szClass = cs.lpszClass;
  mcs.szTitle = cs.lpszName != nullptr ? cs.lpszName : "";
  mcs.hOwner = cs.hInstance;
  mcs.x = cs.x;
  mcs.y = cs.y;
  mcs.cx = cs.cx;
  mcs.cy = cs.cy;
  // Created hidden: ActivateFrame shows it once its views are ready.
  mcs.style = cs.style & ~(WS_VISIBLE | WS_MAXIMIZE);
  mcs.lParam = (LPARAM)pContext;
  HWND hWnd;
  {
    CWndCreationScope scope(this);
    hWnd = (HWND)::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
  }
  return hWnd != nullptr && m_hWnd == hWnd;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1)
    return -1;
  // The creation context comes inside the MDI creation record.
  const MDICREATESTRUCTA* pMdi = static_cast<const MDICREATESTRUCTA*>(lpcs->lpCreateParams);
  CCreateContext* pContext = pMdi != nullptr ? reinterpret_cast<CCreateContext*>(pMdi->lParam) : nullptr;
  return OnCreateClient(lpcs, pContext) ? 0 : -1;
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
  Default();  // the MDI system keeps track of maximised children here
  CFrameWnd::OnSize(nType, cx, cy);
}

void CMDIChildWnd::MDIActivate() {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame != nullptr)
    pFrame->MDIActivate(this);
}

void CMDIChildWnd::MDIMaximize() {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame != nullptr)
    pFrame->MDIMaximize(this);
}

void CMDIChildWnd::MDIRestore() {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame != nullptr)
    pFrame->MDIRestore(this);
}

BOOL CMDIChildWnd::DestroyWindow() {
  if (m_hWnd == nullptr)
    return FALSE;
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame == nullptr || pFrame->m_hWndMDIClient == nullptr || ::GetParent(m_hWnd) != pFrame->m_hWndMDIClient)
    return CFrameWnd::DestroyWindow();
  // The MDI client activates the next child; this object is gone afterwards.
  ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
  CMDIChildWnd* pNext = pFrame->MDIGetActive();
  pFrame->OnUpdateFrameMenu(pNext != nullptr ? pNext->m_hMenuShared : nullptr);
  pFrame->OnUpdateFrameTitle(TRUE);
  return TRUE;
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG*) {
  // The main frame translates the accelerators of the active child.
  return FALSE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (nCmdShow == -1) {
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActive = pFrame != nullptr ? pFrame->MDIGetActive(&bMaximized) : nullptr;
    nCmdShow = pActive != nullptr && pActive != this && bMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  }
  ShowWindow(nCmdShow);
  if (pFrame == nullptr)
    return;
  if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE) {
    pFrame->MDIActivate(this);
    pFrame->OnUpdateFrameMenu(m_hMenuShared);
    // A child made visible only now joins the Window menu's list.
    ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    pFrame->DrawMenuBar();
  }
  pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (m_hWnd == nullptr)
    return;
  CDocument* pDoc = GetActiveDocument();
  if (bAddToTitle && m_bAddToTitle && pDoc != nullptr) {
    CString current;
    GetWindowText(current);
    if (current != pDoc->GetTitle())
      SetWindowText(pDoc->GetTitle());
  }
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame != nullptr)
    pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*) {
  Default();
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame == nullptr)
    return;
  if (bActivate)
    pFrame->OnUpdateFrameMenu(m_hMenuShared);
  else if (pActivateWnd == nullptr)
    pFrame->OnUpdateFrameMenu(nullptr);  // the last child went: the frame's own menu
  CWnd* pView = GetActiveView();
  if (pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CView)))
    static_cast<CView*>(pView)->OnActivateFrame(bActivate ? WA_ACTIVE : WA_INACTIVE, this);
  pFrame->OnUpdateFrameTitle(TRUE);
}
