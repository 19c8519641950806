// CRulerCtrl: the ruler of the scale bar. A box between a left and a right
// position, in percent of the control's width, over ten divisions; the user
// drags the box or one of its edges and the parent hears the new positions
// (message 0x2B32) at every step.
#pragma once

#include "framework/base/Rect.h"
#include "framework/win/Controls.h"

// Sent to the parent on each drag step: wParam left, lParam right, in percent.
const UINT WM_RULER_CHANGED = 0x2B32;
// The cursor over the box while it can be moved.
const UINT IDC_RULER_MOVE = 177;

class CRulerCtrl : public CStatic {
  DECLARE_DYNAMIC(CRulerCtrl)
 public:
  enum { dragNone = 0, dragEdge = 1, dragBox = 2 };
  enum { edgeLeft = 0, edgeRight = 1 };

  CRulerCtrl();

  // Set by the owner; drawn clamped to the control.
  void SetPositions(int nLeft, int nRight);
  int GetLeftPos() const { return m_nLeftPos; }
  int GetRightPos() const { return m_nRightPos; }
  int GetDragMode() const { return m_nDragMode; }

 protected:
  void PreSubclassWindow() override;
  void OnPaint();
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  void OnMouseMove(UINT nFlags, CPoint point);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);

  // The box and its inner rectangle from the positions and the client size.
  void LayoutBox();
  // The drag mode and edge a point gives (hover and button down).
  void HitTest(CPoint point);
  // The positions from the box, clamped to 0..100 and kept in order.
  void UpdatePositions();

  CRect m_rcClient;
  CRect m_rcBox;
  CRect m_rcInner;  // the box inset by 5 pixels on the left and right
  CPoint m_ptLast;
  int m_nDragMode;
  int m_nEdge;
  short m_nRightPos;
  short m_nLeftPos;

  DECLARE_MESSAGE_MAP()
};
