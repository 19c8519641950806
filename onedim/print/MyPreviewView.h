// CMyPreviewView: the 1D view's print preview. Over the framework's page it
// draws the four print margins as lines the user drags with the mouse;
// releasing a line stores the margins, in printer device units, in the
// program's print settings, which the view's printing uses. Its bar's Print
// button is a bitmap button; zooming and the two-page view are off.
#pragma once

#include "controls/MappedBitmapButton.h"
#include "controls/TFXDataTip.h"
#include "framework/win/PreviewView.h"

class CMyPreviewView : public CPreviewView {
  DECLARE_DYNCREATE(CMyPreviewView)
 public:
  CMyPreviewView();

  void OnDraw(CDC* pDC) override;

  // The line under point: kDragTop, kDragLeft, kDragRight, kDragBottom, or
  // kDragNone.
  enum { kDragTop = 0, kDragLeft = 1, kDragRight = 2, kDragBottom = 3, kDragNone = 4 };
  int HitTestLines(CPoint point) const;
  // The lines' offsets in pixels from the page's edges (left, top, right,
  // bottom); the page as last drawn.
  const CRect& GetLineOffsets() const { return m_rcOffsets; }
  const CRect& GetPageRect() const { return m_rcPage; }

 protected:
  int OnCreate(LPCREATESTRUCT lpcs);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnCaptureChanged(CWnd* pWnd);
  void OnUpdateNumPage(CCmdUI* pCmdUI);
  void OnUpdateZoom(CCmdUI* pCmdUI);

 private:
  // The lines from the stored margins, for a page drawn at rcPage.
  void PlaceLines(const CRect& rcPage);
  // The dotted line dragged along a band, drawn and erased by inversion.
  void DrawRubberLine(CPoint point);
  // The margins the lines stand for, into the print settings.
  void StoreMargins();

  CMappedBitmapButton m_PrintButton;
  TFXDataTip m_DataTip;
  BOOL m_bFirstDraw = TRUE;
  CRect m_rcUnprintable;   // preview pixels; -50 until measured
  double m_dScaleX = 1.0;  // printer device units per preview pixel
  double m_dScaleY = 1.0;
  CRect m_rcOffsets;  // left, top, right, bottom
  int m_nDragType = kDragNone;
  int m_nDragStart = 0;
  CPoint m_ptLast;
  CRect m_rcPage;

  DECLARE_MESSAGE_MAP()
};
