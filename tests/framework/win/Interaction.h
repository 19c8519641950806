// The clipboard, drag-and-drop, tracker and docking tests: OLE started for
// the test program, a plain test window, and the mouse driven as a person
// drives it (the system's input, so that positions and buttons are real).
#pragma once

#include <functional>

#include "framework/win/Wnd.h"
#include "framework/win/WindowTest.h"

// A visible top-level window that hands its mouse messages to the test.
class CTestPad : public CWnd {
 public:
  BOOL Create(LPCSTR lpszTitle, const RECT& rcScreen);
  std::function<void(CPoint point)> m_onLButtonDown;
  std::function<void(CDC* pDC)> m_onPaint;

 protected:
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnPaint();
  void PostNcDestroy() override {}
  DECLARE_MESSAGE_MAP()
};

// The system's mouse: moves to a screen point, presses and lets go of the
// left button.
void MouseMoveTo(POINT ptScreen);
void MouseLeftDown();
void MouseLeftUp();
