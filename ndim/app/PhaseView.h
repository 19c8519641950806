// The three phase views in the child frame's second splitter column: each
// shows one row or one column of the current data set with the phase the
// phase dialog previews, and the pivot while the dialog is open.
#pragma once

#include "framework/win/View.h"
#include "ndim/data/Spectrum2D.h"

class CBrivanenDDoc;

class CPhaseView : public CView {
  DECLARE_DYNAMIC(CPhaseView)
 public:
  CBrivanenDDoc* GetDocument() const;
  // Shows the row (column -1) or the column (row -1).
  void ShowRow(int row);
  void ShowColumn(int column);

  void OnDraw(CDC* pDC) override;

  int m_nRow = -1;
  int m_nColumn = -1;
  CRect m_rect;  // the client area at the last paint
  ProjectionTrace m_trace;
};

// The first view alone offers to hide the column.
class CPhaseView1 : public CPhaseView {
  DECLARE_DYNCREATE(CPhaseView1)
 protected:
  void OnRButtonDown(UINT nFlags, CPoint point);
  void OnHideWindow();

  DECLARE_MESSAGE_MAP()
};

class CPhaseView2 : public CPhaseView {
  DECLARE_DYNCREATE(CPhaseView2)
};

class CPhaseView3 : public CPhaseView {
  DECLARE_DYNCREATE(CPhaseView3)
};
