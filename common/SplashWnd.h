// CSplashWnd: the picture shown while a program starts. It closes itself
// after 750 ms, or at once when the user presses a key or a mouse button in
// any window of the program (the application gives it every message first).
// There is at most one; it deletes itself when its window goes.
#pragma once

#include "framework/win/GdiObject.h"
#include "framework/win/Wnd.h"

class CSplashWnd : public CWnd {
 public:
  // The start-up sets it from the command line's splash option.
  static void EnableSplashScreen(BOOL bEnable = TRUE);
  // Shows the bitmap resource nIDBitmap over pParentWnd while the splash is
  // enabled and none is up; nothing when the bitmap or window cannot be made.
  static void ShowSplashScreen(CWnd* pParentWnd, UINT nIDBitmap);
  // TRUE (the message taken) when a splash is up and the message is a key
  // or mouse-button press: the splash closes.
  static BOOL PreTranslateAppMessage(MSG* pMsg);
  // The splash now up, or null.
  static CSplashWnd* GetSplashWnd();

  ~CSplashWnd() override;

  void HideSplashScreen();

 protected:
  CSplashWnd() = default;
  BOOL Create(CWnd* pParentWnd, UINT nIDBitmap);
  void PostNcDestroy() override;
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnPaint();
  void OnTimer(UINT_PTR nIDEvent);

  CBitmap m_bitmap;

  DECLARE_MESSAGE_MAP()
};
