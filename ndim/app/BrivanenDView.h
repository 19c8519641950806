// CBrivanenDView: the graph view of an nD document. For now it paints every
// data set of the document, plot, strips, frame and axes, on white.
#pragma once

#include "framework/win/View.h"

class CBrivanenDDoc;

class CBrivanenDView : public CView {
  DECLARE_DYNCREATE(CBrivanenDView)
 public:
  CBrivanenDView() = default;

  CBrivanenDDoc* GetDocument() const;
  void OnDraw(CDC* pDC) override;

 protected:
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }  // OnDraw paints it all

  DECLARE_MESSAGE_MAP()
};
