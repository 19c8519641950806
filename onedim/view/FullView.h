// CFullView: the upper pane of the dual display. It shows the whole current
// spectrum in a strip, with a box around the part the 1D view shows;
// dragging the box or one of its edges zooms and scrolls the 1D view.
#pragma once

#include "framework/win/View.h"

class CBrivaneDocument;
class CSpectrum;

class CFullView : public CView {
  DECLARE_DYNCREATE(CFullView)
 public:
  CFullView() = default;

  CBrivaneDocument* GetDocument() const;
  void OnDraw(CDC* pDC) override;

  // The zoom box over the strip: the current spectrum's visible range in
  // the pixels of its whole range.
  CRect GetZoomBox() const;

 protected:
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnPaint();
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnHide();

 private:
  void DragTo(CPoint point);

  int m_nDragMode = 0;  // 0 none, 1 resizing an edge, 2 moving the box
  int m_nEdge = 0;      // 0 left, 1 right
  BYTE m_bDragging = 0;
  int m_nLastX = 0;
  CRect m_rectBox;

  DECLARE_MESSAGE_MAP()
};
