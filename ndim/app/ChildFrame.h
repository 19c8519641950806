// CChildFrame: the window of one nD document view inside the main frame.
// Its client area is a splitter: the document's view on the left and, in a
// column hidden until phase correction needs it, the three phase views
// above one another. On activation the current data set's plot is laid out
// in the window.
#pragma once

#include "common/HideSplitterWnd.h"
#include "framework/win/MDIChildWnd.h"

class CChildFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(CChildFrame)
 public:
  CChildFrame() = default;

  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  // -1 shows the window maximised.
  void ActivateFrame(int nCmdShow = -1) override;

  CHideSplitterWnd& GetOuterSplitter() { return m_wndOuter; }
  CHideSplitterWnd& GetInnerSplitter() { return m_wndInner; }

 protected:
  CHideSplitterWnd m_wndOuter;  // 1 x 2: the view, the phase views
  CHideSplitterWnd m_wndInner;  // 3 x 1: the phase views
};
