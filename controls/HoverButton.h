// CHoverButton: a flat owner-drawn text button. While the mouse is over it
// (checked every 10 ms once the mouse moved on it) it shows a raised frame,
// blue underlined text and a hand cursor. Only one hover button at a time
// shows its hot frame; a flag shared by all of them records that one does.
#pragma once

#include "framework/win/Controls.h"
#include "framework/win/GdiObject.h"

class CHoverButton : public CButton {
 public:
  CHoverButton();
  ~CHoverButton() override;

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

 protected:
  enum { kHoverTimer = 1, kHoverPeriod = 10, kHandCursor = 130 };

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnTimer(UINT_PTR nIDEvent);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnDestroy();

  // The button's font with the underline on.
  void CreateUnderlineFont();
  // Stops watching the mouse; the frame shown goes, and the shared flag with it.
  void HideHotFrame();

  CFont m_UnderlineFont;
  HCURSOR m_hHandCursor;
  BYTE m_bPressed = 0;
  BYTE m_bHot = 0;
  static BYTE s_bHotFrameShown;

  DECLARE_MESSAGE_MAP()
};
