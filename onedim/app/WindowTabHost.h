// CWindowTabHost: puts the tabbed window list into an MDI frame. It
// subclasses the frame's MDI client, follows its children through the MDI
// messages, and whenever the frame places the MDI client it gives the whole
// rectangle to the tab strip and the strip's display area to the client.
#pragma once

#include "framework/win/Wnd.h"
#include "onedim/app/WindowTabStrip.h"

class CFrameWnd;
class CMDIFrameWnd;

class CWindowTabHost : public CWnd {
 public:
  CWindowTabHost() : m_Strip(this) {}

  // FALSE when already installed, when the frame is no MDI frame, or when
  // the strip cannot be made (nothing is left installed then).
  BOOL Install(CFrameWnd* pFrame, DWORD dwTabStyles);
  void Uninstall();
  BOOL IsInstalled() const { return m_pFrame != nullptr; }

  CMDIFrameWnd* GetFrame() const { return m_pFrame; }
  CWindowTabStrip& GetStrip() { return m_Strip; }
  HWND GetMDIClient() const { return m_hWnd; }
  // Set when the MDI client changed size; the next refresh lays out again.
  BOOL IsLayoutChanged() const { return m_bLayoutChanged; }
  void ClearLayoutChanged() { m_bLayoutChanged = FALSE; }

  // Where the MDI client goes when the frame gives it rcWhole (parent
  // coordinates): the strip takes rcWhole, the client the strip's display
  // area inside its margin, empty where nothing is left.
  CRect ClientArea(const CRect& rcWhole);

 protected:
  LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
  LRESULT OnMDICreate(WPARAM wParam, LPARAM lParam);
  LRESULT OnMDIDestroy(WPARAM wParam, LPARAM lParam);
  void OnSize(UINT nType, int cx, int cy);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnWindowPosChanging(WINDOWPOS* lpwndpos);

 private:
  void PostRefresh();

  CWindowTabStrip m_Strip;
  CMDIFrameWnd* m_pFrame = nullptr;  // null while not installed
  BOOL m_bLayoutChanged = FALSE;

  DECLARE_MESSAGE_MAP()
};
