// CFrameWnd: a top-level window with a menu, accelerators and an active view.
// It routes commands: the active frame within it (an MDI child) first, then
// its active view (which passes them on to its document), then its own map,
// then the application. Menu entries are updated from the route when a menu
// opens and at idle time; an entry whose command nobody handles is disabled.
#pragma once

#include "framework/win/Wnd.h"

// In a frame's default style: the document's name is added to the title.
#define FWS_ADDTOTITLE 0x00008000L

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  static const CRect rectDefault;  // the system's default position and size

  CFrameWnd() = default;

  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
              DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
  // Menu, accelerators, icon and title (up to the first '\n' of the string)
  // from the resources numbered nIDResource.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  BOOL LoadAccelTable(LPCSTR lpszResourceName);

  // The view that commands reach first (a CView, or any window that routes
  // commands to its document).
  CWnd* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CWnd* pViewNew) { m_pViewActive = pViewNew; }
  // The frame whose view is active: this one, or an MDI child of it.
  virtual CFrameWnd* GetActiveFrame() { return this; }

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) override;
  // The route inside the frame, without the application.
  virtual BOOL RouteCommandInFrame(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe);
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // Runs the update pass over the entries of pMenu (and its pop-ups).
  void UpdateMenuEntries(CMenu* pMenu, BOOL bDeep);

  HMENU m_hMenuDefault = nullptr;
  HACCEL m_hAccelTable = nullptr;
  UINT m_nIDHelp = 0;

 protected:
  void PostNcDestroy() override;  // frames live on the heap and delete themselves
  void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  void OnDestroy();

  CWnd* m_pViewActive = nullptr;

  DECLARE_MESSAGE_MAP()
};
