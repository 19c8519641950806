// CFullView: the upper pane of the dual display. It shows the whole current
// spectrum in a strip, with a box around the part the 1D view shows. Its
// dragging, context menu and trace positions come with the view's own work.
#pragma once

#include "framework/win/View.h"

class CBrivaneDocument;

class CFullView : public CView {
  DECLARE_DYNCREATE(CFullView)
 public:
  CFullView() = default;

  CBrivaneDocument* GetDocument() const;
  void OnDraw(CDC* pDC) override;

 protected:
  BOOL OnEraseBkgnd(CDC* pDC);

  DECLARE_MESSAGE_MAP()
};
