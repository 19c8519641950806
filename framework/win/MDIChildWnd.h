// CMDIChildWnd: a document window inside the MDI frame. Its client area is
// made from the creation context (one view, or a splitter of views); while
// it is active, the main frame shows its document type's menu and
// accelerators. Closing the last window of a document closes the document.
#pragma once

#include "framework/win/FrameWnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)
 public:
  CMDIChildWnd() = default;

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  // Creates the window in the MDI client of pParentWnd (null: the main window).
  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  CMDIFrameWnd* GetMDIFrame() const;

  void MDIActivate();
  void MDIDestroy() { DestroyWindow(); }
  void MDIMaximize();
  void MDIRestore();

  // nCmdShow -1: shown as the other children are (maximised when they are).
  void ActivateFrame(int nCmdShow = -1) override;
  // The window's caption is its document's title.
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;

  BOOL DestroyWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  HMENU m_hMenuShared = nullptr;  // the document type's menu, owned by the template

 protected:
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnSize(UINT nType, int cx, int cy);
  void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);

  DECLARE_MESSAGE_MAP()
};
