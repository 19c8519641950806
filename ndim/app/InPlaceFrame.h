// CInPlaceFrame: the frame of an nD document edited in another program's
// window: the resize bar around the graph, the document's tool bar in the
// container's frame, and files dropped on it.
#pragma once

#include "framework/win/OleDropTarget.h"
#include "framework/win/OleIPFrameWnd.h"
#include "framework/win/OleResizeBar.h"
#include "framework/win/ToolBar.h"

class CInPlaceFrame : public COleIPFrameWnd {
  DECLARE_DYNCREATE(CInPlaceFrame)
 public:
  CInPlaceFrame() = default;

  BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc) override;

 protected:
  int OnCreate(LPCREATESTRUCT lpcs);

  CToolBar m_wndToolBar;
  COleResizeBar m_wndResizeBar;
  COleDropTarget m_dropTarget;

  DECLARE_MESSAGE_MAP()
};
