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
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The zoom box over the strip: the current spectrum's visible range in
  // the pixels of its whole range.
  CRect GetZoomBox() const;
  // Where the trace's zero line runs: 0 top, 1 middle, 2 bottom.
  int GetTracePosition() const { return m_nTracePosition; }

 protected:
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnPaint();
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnRButtonDown(UINT nFlags, CPoint point);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnCaptureChanged(CWnd* pWnd);
  void OnHide();
  void OnTop();
  void OnMiddle();
  void OnBottom();

 private:
  void DragTo(CPoint point);
  void FillInner(CDC* pDC, const CRect& inner);

  int m_nDragMode = 0;  // 0 none, 1 resizing an edge, 2 moving the box, 3 context menu
  int m_nEdge = 0;      // 0 left, 1 right
  int m_nTracePosition = 1;
  BYTE m_bDragging = 0;
  int m_nLastX = 0;
  int m_nLastY = 0;
  CRect m_rectBox;

  DECLARE_MESSAGE_MAP()
};
