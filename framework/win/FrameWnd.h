// CFrameWnd: a top-level window with a menu, accelerators and an active view.
// It routes commands: the active frame within it (an MDI child) first, then
// its active view (which passes them on to its document), then its own map,
// then the application. Menu entries are updated from the route when a menu
// opens and at idle time; an entry whose command nobody handles is disabled.
// Its client area is made from a creation context (OnCreateClient); its
// control bars are laid out around that area (RecalcLayout), and its status
// bar shows the prompt of the command under the mouse.
#pragma once

#include "framework/base/String.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/Wnd.h"

class CControlBar;
class CDocument;
class CView;

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
  // commands to its document). Views are told when they become or stop
  // being active (bNotify).
  CWnd* GetActiveView() const { return m_pViewActive; }
  virtual void SetActiveView(CWnd* pViewNew, BOOL bNotify = TRUE);
  // The frame whose view is active: this one, or an MDI child of it.
  virtual CFrameWnd* GetActiveFrame() { return this; }
  virtual CDocument* GetActiveDocument();

  // The client area: by default one view of the context's class.
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  // A view of the context's class as child nID; null on failure.
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
  // Places the control bars, then the pane AFX_IDW_PANE_FIRST in the rest.
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  // Shows the frame (nCmdShow -1: the usual way) and brings it forward.
  virtual void ActivateFrame(int nCmdShow = -1);
  // Picks the active view, sends every view its initial update, shows the frame.
  virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  // The title: the program's name and, with FWS_ADDTOTITLE, the document's.
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);

  // Control bars.
  void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }
  // nDockBarID: AFX_IDW_DOCKBAR_TOP ... (0: the first side the bar allows);
  // lpRect (screen): the row of the bar found there, at that place.
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = 0);
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  CControlBar* GetControlBar(UINT nID);
  void SaveBarState(LPCSTR lpszProfileName) const;
  void LoadBarState(LPCSTR lpszProfileName);

  // Status-bar text: the prompt of nID is the text before '\n' of its string.
  virtual void GetMessageString(UINT nID, CString& rMessage) const;
  void SetMessageText(LPCSTR lpszText);
  void SetMessageText(UINT nID);
  CWnd* GetMessageBar();

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) override;
  // The route inside the frame, without the application.
  virtual BOOL RouteCommandInFrame(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe);
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // Runs the update pass over the entries of pMenu (and its pop-ups).
  void UpdateMenuEntries(CMenu* pMenu, BOOL bDeep);

  HMENU m_hMenuDefault = nullptr;
  HACCEL m_hAccelTable = nullptr;
  // While an object is edited in place: the room its tool bars take inside
  // the frame's own bars, and its menu merged with the frame's (shown
  // instead of the document's menu).
  CRect m_rectBorderSpace = CRect(0, 0, 0, 0);
  HMENU m_hMenuInPlaceShared = nullptr;
  UINT m_nIDHelp = 0;
  DWORD m_dwDockStyle = 0;

 protected:
  void PostNcDestroy() override;  // frames live on the heap and delete themselves
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnSize(UINT nType, int cx, int cy);
  void OnClose();
  void OnSetFocus(CWnd* pOldWnd);
  void OnDropFiles(HDROP hDropInfo);
  void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  LRESULT OnRecalcParent(WPARAM, LPARAM);
  // The shell's DDE conversation with the program's main window, once the
  // application enabled shell open (FrameWndDde.cpp).
  LRESULT OnDDEInitiate(WPARAM wParam, LPARAM lParam);
  LRESULT OnDDEExecute(WPARAM wParam, LPARAM lParam);
  LRESULT OnDDETerminate(WPARAM wParam, LPARAM lParam);
  void OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  void OnToolbarHotItem(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  BOOL OnBarCheck(UINT nID);
  void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
  void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
  void OnUpdateSystemEntry(CCmdUI* pCmdUI);
  void OnDestroy();

  CWnd* m_pViewActive = nullptr;
  CString m_strTitle;          // the program's name, before the document's
  BOOL m_bAddToTitle = FALSE;  // FWS_ADDTOTITLE
  UINT m_nIDLastMessage = 0;   // the prompt now on the status bar

  DECLARE_MESSAGE_MAP()
};
