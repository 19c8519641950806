// CMainFrame: the 1D program's main window. It holds the document windows,
// the standard and process toolbars and the status bar, keeps where the
// bars were docked ("ToolBarDockState"), and can show the active document
// window on the whole screen.
#pragma once

#include "framework/win/MDIFrameWnd.h"
#include "framework/win/ReBar.h"
#include "framework/win/StatusBar.h"
#include "framework/win/ToolBar.h"
#include "onedim/app/RelaxationBar.h"

class CControlBar;
class CView;

class CMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  CMainFrame() = default;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  // Leaves full-screen mode when it is on.
  void ExitFullScreen();
  BOOL IsFullScreen() const { return m_pFullScreenChild != nullptr; }
  // While pWnd is the full-screen document window: the full-screen size in
  // rSize, and TRUE.
  BOOL GetFullScreenSize(CWnd* pWnd, CPoint& rSize) const;
  // Docks pBar on the side of pOther, just right of (or below) it.
  void DockControlBarLeftOf(CControlBar* pBar, CControlBar* pOther);
  CRelaxationBar& GetRelaxationBar() { return m_wndRelaxationBar; }

 protected:
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnClose();
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  void OnViewFullScreen();
  void OnUpdateViewFullScreen(CCmdUI* pCmdUI);
  void OnViewProcessBar();
  void OnUpdateViewProcessBar(CCmdUI* pCmdUI);
  void OnBaselineMenu();
  void OnToolsRelaxation();
  void OnUpdateToolsRelaxation(CCmdUI* pCmdUI);

 private:
  void EnterFullScreen();
  // The bars whose visibility full-screen mode keeps: standard toolbar,
  // scale bar, status bar (null while a bar does not exist).
  CControlBar* FullScreenBar(int nIndex) const;

  CStatusBar m_wndStatusBar;
  CReBar m_wndRelaxationReBar;
  CRelaxationBar m_wndRelaxationBar;  // template 237, in its rebar
  CToolBar m_wndToolBar;              // standard toolbar (resource 128)
  CToolBar m_wndProcessBar;           // process toolbar (resource 163)

  enum { kFullScreenBars = 3 };
  CWnd* m_pFullScreenChild = nullptr;  // the document window on the whole screen
  WINDOWPLACEMENT m_wpChild = {};
  WINDOWPLACEMENT m_wpFrame = {};
  CRect m_rectFullScreen;
  BOOL m_bBarVisible[kFullScreenBars] = {};

  DECLARE_MESSAGE_MAP()
};

// The active view of the active document window, or null.
CView* GetActiveSpectrumView();
