// ZTitleTip: the small window that shows a grid cell's whole text over the
// cell when the cell is too narrow for it. It holds the mouse while shown:
// leaving the cell hides it, and a click or key goes on to the window that
// would have had it.
#pragma once

#include "framework/base/Rect.h"
#include "framework/win/Wnd.h"

class ZTitleTip : public CWnd {
  DECLARE_DYNAMIC(ZTitleTip)
 public:
  ZTitleTip() = default;
  ~ZTitleTip() override;

  virtual BOOL Create(CWnd* pParentWnd);
  // rectTitle: the cell in the parent's client coordinates; xoffset: where
  // the text starts in it. Shown only when the text does not fit.
  void Show(CRect rectTitle, LPCSTR lpszTitleText, int xoffset = 0);
  void Hide();
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void OnMouseMove(UINT nFlags, CPoint point);
  // Hides the tip and posts a mouse message at ptScreen to the window there.
  void ForwardMouse(UINT message, WPARAM wParam, CPoint ptScreen);

  CWnd* m_pParentWnd = nullptr;
  CRect m_rectTitle;  // tip client coordinates: the mouse keeps the tip shown inside

  DECLARE_MESSAGE_MAP()
};
