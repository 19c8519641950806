// CHoverListCtrl: a list view that tells its parent which item is under the
// mouse on every move (WMU_LIST_HOT_ITEM), and runs the program's leave
// action when the mouse leaves it.
#pragma once

#include "framework/win/CommonControls.h"

// wParam: the item under the mouse, -1 for none; lParam 0.
const UINT WMU_LIST_HOT_ITEM = 0x2B2E;

class CHoverListCtrl : public CListCtrl {
 public:
  // What the mouse leaving a hover list clears. The 1D program sets the
  // clearing of the hover marks of its active document; none by default.
  typedef void (*PFNLEAVEACTION)();
  static PFNLEAVEACTION SetLeaveAction(PFNLEAVEACTION pfnAction);

 protected:
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnMouseLeave();

  BYTE m_bTracking = 0;
  static PFNLEAVEACTION s_pfnLeaveAction;

  DECLARE_MESSAGE_MAP()
};
