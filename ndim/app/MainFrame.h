// CMainFrame: the nD program's main window. It holds the document windows
// over a painted background, the main toolbar, the traces toolbar, the
// command line bar and the status bar, keeps where the bars were docked
// ("BVX2DToolBarDockState"), and can show the active document window on
// the whole screen.
#pragma once

#include <memory>

#include "framework/win/DialogBar.h"
#include "framework/win/MDIFrameWnd.h"
#include "framework/win/StatusBar.h"
#include "framework/win/ToolBar.h"
#include "ndim/app/MDIClientWnd.h"

class CControlBar;
class CDocTemplate;

class CMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  CMainFrame() = default;
  ~CMainFrame() override;

  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The text of the command line.
  CString GetCommandText() const;
  BOOL IsFullScreen() const { return m_bFullScreen; }
  void EnterFullScreen();
  void ExitFullScreen();

  CMDIClientWnd& GetMDIClient() { return m_wndMDIClient; }
  CToolBar& GetTracesBar() { return m_wndTracesBar; }
  CDialogBar& GetCommandBar() { return m_wndCommandBar; }

 protected:
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnClose();
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  void OnViewFullScreen();
  void OnUpdateViewFullScreen(CCmdUI* pCmdUI);
  void OnViewGraphView();
  void OnViewScriptView();
  void OnUpdateDocumentView(CCmdUI* pCmdUI);
  void OnViewCommandBar();
  void OnUpdateViewCommandBar(CCmdUI* pCmdUI);
  void OnViewTracesToolBar();
  void OnUpdateViewTracesToolBar(CCmdUI* pCmdUI);
  void OnHelpManual();

  // Activates a window of the active document showing a view of pViewClass,
  // or opens one with pTemplate.
  void ShowDocumentView(CRuntimeClass* pViewClass, CDocTemplate* pTemplate);
  void ToggleBar(CControlBar* pBar);
  // The bars full-screen mode hides: main toolbar, traces toolbar, command line.
  CControlBar* FullScreenBar(int nIndex);

  CStatusBar m_wndStatusBar;
  CToolBar m_wndToolBar;
  CToolBar m_wndTracesBar;
  CDialogBar m_wndCommandBar;
  CMDIClientWnd m_wndMDIClient;

  enum { kFullScreenBars = 3 };
  BOOL m_bFullScreen = FALSE;
  BOOL m_bBarVisible[kFullScreenBars] = {};
  WINDOWPLACEMENT m_wpFrame = {};
  CRect m_rectFrame;  // where the frame was, maximised or not
  BOOL m_bChildMaximized = FALSE;
  std::unique_ptr<CToolBar> m_pFullScreenBar;

  DECLARE_MESSAGE_MAP()
};
