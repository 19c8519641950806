// CMainFrame: the 1D program's main window. It holds the document windows
// (with a tab for each), the standard and process toolbars, the scale bar,
// the status bar, the relaxation bar and the add/subtract bar, keeps where
// the bars were docked ("ToolBarDockState"), and can show the active
// document window on the whole screen.
#pragma once

#include "framework/win/MDIFrameWnd.h"
#include "framework/win/ReBar.h"
#include "framework/win/StatusBar.h"
#include "framework/win/ToolBar.h"
#include "onedim/app/RelaxationBar.h"
#include "onedim/app/ScaleBar.h"
#include "onedim/app/WindowTabHost.h"
#include "onedim/dialogs/process/SpectrumArithmeticBar.h"

class CBrivaneProDoc;
class CControlBar;
class CView;

CBrivaneProDoc* GetActiveSpectrumDoc();
// The active view as a window, for the bars that pass keys to it.
CWnd* ActiveViewWindow();

class CMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  CMainFrame() = default;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void RecalcLayout(BOOL bNotify = TRUE) override;

  // Leaves full-screen mode when it is on.
  void ExitFullScreen();
  // The document window pChild is going: when it is the full-screen one,
  // full-screen mode ends with it and the bars come back.
  void ForgetFullScreenChild(CWnd* pChild);
  BOOL IsFullScreen() const { return m_pFullScreenChild != nullptr; }
  BOOL IsFullScreenWindow(const CWnd* pWnd) const { return pWnd != nullptr && pWnd == m_pFullScreenChild; }
  // While pWnd is the full-screen document window: the full-screen size in
  // rSize, and TRUE.
  BOOL GetFullScreenSize(CWnd* pWnd, CPoint& rSize) const;
  // Docks pBar on the side of pOther, just right of (or below) it.
  void DockControlBarLeftOf(CControlBar* pBar, CControlBar* pOther);
  CRelaxationBar& GetRelaxationBar() { return m_wndRelaxationBar; }

  // The scale bar (null until it is made) and the tabbed window list.
  CScaleBar* GetScaleBar() { return m_wndScaleBar.m_hWnd != nullptr ? &m_wndScaleBar : nullptr; }
  CWindowTabHost& GetWindowTabs() { return m_wndTabs; }

  // The add/subtract bar: whether it is shown, and the factor of the
  // operand that became current.
  BOOL IsArithmeticBarVisible() const;
  void ShowArithmeticFactor(LPCSTR pszFactor, int nScrollPos);

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
  void OnViewControlBar();
  void OnUpdateViewControlBar(CCmdUI* pCmdUI);
  void OnViewTabbed();
  void OnUpdateViewTabbed(CCmdUI* pCmdUI);
  void OnToolsAddSubtract();
  void OnUpdateToolsAddSubtract(CCmdUI* pCmdUI);
  void OnArithmeticClose();

 private:
  void EnterFullScreen();
  // Gives the bars and the frame their places back; the document window
  // too while bRestoreChild is set.
  void LeaveFullScreen(BOOL bRestoreChild);
  // Places the full-screen window over the room of the MDI client.
  void FitFullScreenChild();
  // The bars whose visibility full-screen mode keeps: standard toolbar,
  // scale bar, status bar (null while a bar does not exist).
  CControlBar* FullScreenBar(int nIndex) const;

  CScaleBar m_wndScaleBar;
  CStatusBar m_wndStatusBar;
  CReBar m_wndRelaxationReBar;
  CRelaxationBar m_wndRelaxationBar;  // template 237, in its rebar
  CToolBar m_wndToolBar;              // standard toolbar (resource 128)
  CToolBar m_wndProcessBar;           // process toolbar (resource 163)
  CWindowTabHost m_wndTabs;
  CReBar m_wndArithmeticReBar;
  CSpectrumArithmeticBar m_wndArithmeticBar{&GetActiveSpectrumDoc, &ActiveViewWindow};
  float m_fLargestScale = 0.0f;  // the vertical scale Add/Subtract gave every spectrum

  enum { kFullScreenBars = 3 };
  CWnd* m_pFullScreenChild = nullptr;  // the document window on the whole screen
  WINDOWPLACEMENT m_wpChild = {};
  WINDOWPLACEMENT m_wpFrame = {};
  CRect m_rectFullScreen;
  BOOL m_bBarVisible[kFullScreenBars] = {};

  DECLARE_MESSAGE_MAP()
};

// The active view of the active document window when it is a 1D view,
// else null.
class CBrivaneProView;
CBrivaneProView* GetActiveSpectrumViewChecked();
