// CChildFrame: the window of one 1D document inside the main frame. Its
// client area is a two-row splitter: the full view above, hidden until View >
// Dual Display shows it, and the 1D view below. Its horizontal scroll bar
// moves the current spectrum's visible range across the data.
#pragma once

#include "framework/win/MDIChildWnd.h"
#include "common/HideSplitterWnd.h"

class CBrivaneDocument;

class CChildFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(CChildFrame)
 public:
  CChildFrame() = default;

  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  // Every document window opens maximised.
  void ActivateFrame(int nCmdShow = -1) override;
  BOOL DestroyWindow() override;

  CHideSplitterWnd& GetSplitter() { return m_wndSplitter; }
  BOOL IsFullViewShown() const { return !m_bUpperHidden; }

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
  void OnDestroy();
  void OnViewDualDisplay();
  void OnUpdateViewDualDisplay(CCmdUI* pCmdUI);

 private:
  CBrivaneDocument* GetSpectrumDocument();

  CHideSplitterWnd m_wndSplitter;
  BOOL m_bUpperHidden = TRUE;

  DECLARE_MESSAGE_MAP()
};
