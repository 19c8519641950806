// TFXDataTip: a small popup showing a short text (a value under the mouse)
// once the mouse has rested at a point for the shared show delay. It goes as
// soon as the user types, clicks or moves away; the clicks go on to its
// parent. At most one data tip shows at a time. While any data tip lives, a
// keyboard hook on the thread hides the one shown at the first key.
#pragma once

#include "framework/base/String.h"
#include "framework/win/Wnd.h"

class CDC;

class TFXDataTip : public CWnd {
 public:
  TFXDataTip();
  ~TFXDataTip() override;
  TFXDataTip(const TFXDataTip&) = delete;
  TFXDataTip& operator=(const TFXDataTip&) = delete;

  // The tip window, owned by pParentWnd; FALSE when it could not be made.
  virtual BOOL Create(CWnd* pParentWnd);
  // Shows text at point (parent client coordinates) after the delay, while
  // the tip is switched on and the point lies in the parent's client area.
  void SetTip(CPoint point, LPCSTR lpszText);
  void Hide();
  void On(BOOL bOn) { m_bOn = bOn; }
  BOOL IsOn() const { return m_bOn; }
  BOOL DestroyWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The delay, in milliseconds, before any data tip shows.
  static void SetDelay(WORD nDelay) { s_nDelay = nDelay; }
  static WORD GetDelay() { return s_nDelay; }
  // The thread's keyboard hook while data tips live, else null.
  static HHOOK GetKeyboardHook() { return s_hKeyboardHook; }

 protected:
  enum { kShowTimer = 1010 };

  void OnPaint();
  void OnTimer(UINT_PTR nIDEvent);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnNcDestroy();

  void Show();
  // Counts this tip among the live ones (installing the hook with the
  // first), or stops counting it (removing the hook with the last).
  void Register();
  void Unregister();
  static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);

  HWND m_hWndParent = nullptr;
  CString m_strTip;
  int m_nOffsetX;
  int m_nOffsetY;
  CRect m_rcStay;  // screen: the shown point +-2 pixels
  CPoint m_ptTip;  // screen
  int m_bCreated = 0;
  int m_bOn = 0;
  UINT_PTR m_nTimer = 0;
  BOOL m_bRegistered = FALSE;

  static CPoint s_ptDefaultOffset;
  static HFONT s_hFont;
  static HBRUSH s_hBrush;
  static BOOL s_bRegistered;
  static HHOOK s_hKeyboardHook;
  static WORD s_nCount;
  static TFXDataTip* s_pCurrent;
  static WORD s_nDelay;

  DECLARE_MESSAGE_MAP()
};
