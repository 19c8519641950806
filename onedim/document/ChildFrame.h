// CChildFrame: the window of one 1D document inside the main frame. Its
// client area holds the 1D view; its horizontal scroll bar moves the current
// spectrum's visible range across the data.
#pragma once

#include "framework/win/MDIChildWnd.h"

class CBrivaneDocument;

class CChildFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(CChildFrame)
 public:
  CChildFrame() = default;

  // Every document window opens maximised.
  void ActivateFrame(int nCmdShow = -1) override;

  // The scroll bar over the current spectrum: range, page (the visible
  // width) and position in float indices; hidden when all is visible.
  void SetSpectrumScrollBar(int nMin, int nMax, int nPage, int nPos, BOOL bVisible);

  // The new first visible float index for a scroll request, from the
  // position p, the bar's largest position and page, and td. Exposed for
  // the tests of the scrolling rules.
  static int ScrollTarget(UINT nSBCode, int p, int nTrackPos, int nMax, int nPage, int td);

 protected:
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI);

 private:
  CBrivaneDocument* GetSpectrumDocument();

  DECLARE_MESSAGE_MAP()
};
