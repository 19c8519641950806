// CMDIFrameWnd: the program's main window with an MDI client. Its menu is
// the active document type's (the frame's own when no child is open), its
// Window menu lists the children, and its title names the active document.
#pragma once

#include "framework/win/FrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)
 public:
  CMDIFrameWnd() = default;

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  // The client area is the MDI client.
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  // Creates the MDI client; pWindowMenu lists the children (null: the pop-up
  // of the menu bar that holds the Window commands).
  virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
  static HMENU GetWindowMenuPopup(HMENU hMenuBar);

  // The active child, or null; *pbMaximized tells whether it is maximised.
  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
  void MDIActivate(CWnd* pWndActivate);
  void MDIMaximize(CWnd* pWnd) { ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)CWnd::HwndOf(pWnd), 0); }
  void MDIRestore(CWnd* pWnd) { ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)CWnd::HwndOf(pWnd), 0); }
  void MDINext() { ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
  void MDICascade() { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
  void MDITile(int nType) { ::SendMessageA(m_hWndMDIClient, WM_MDITILE, (WPARAM)nType, 0); }
  void MDIIconArrange() { ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }
  // Puts hMenuAlt (null: the frame's own menu) on the frame, with its Window menu.
  virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;

  CFrameWnd* GetActiveFrame() override;
  CDocument* GetActiveDocument() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND m_hWndMDIClient = nullptr;

 protected:
  void OnDestroy();
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  BOOL OnMDIWindowCmd(UINT nID);
  void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);

  DECLARE_MESSAGE_MAP()
};
