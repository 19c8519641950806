// COleResizeBar: the hatched border around a document edited in its
// container's window. Dragging a handle asks the container for a new
// rectangle; the container decides.
#pragma once

#include "framework/win/FrameworkRes.h"
#include "framework/win/Wnd.h"

class COleResizeBar : public CWnd {
  DECLARE_DYNAMIC(COleResizeBar)
 public:
  // The width of the hatched border, in pixels.
  static const int kBorder = 4;

  COleResizeBar() = default;
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_RESIZE_BAR);

 protected:
  void OnPaint();
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnLButtonDown(UINT nFlags, CPoint point);

  DECLARE_MESSAGE_MAP()
};
