// CRepeatButton: a button that, while held down, steps a value with
// quickening repetition and sends each new value to a target window
// (WMU_REPEAT_VALUE, wParam the button's id, lParam the value). It runs its
// own loop while held; a click shorter than the first pause changes nothing.
#pragma once

#include "framework/win/Controls.h"

#define WMU_REPEAT_VALUE (WM_USER + 10)

class CRepeatButton : public CButton {
 public:
  // nDirection 0 adds the step, any other value subtracts it. Past one end
  // of the range the value goes on from the other.
  CRepeatButton(int nValue = 0, int nDirection = 0, int nStep = 1, int nMin = 0, int nMax = 100);

  // A null target stands for the button's parent.
  void SetParameters(CWnd* pTarget, int nValue, int nDirection, int nStep, int nMin, int nMax);
  int GetValue() const { return m_nValue; }

 protected:
  void OnLButtonDown(UINT nFlags, CPoint point);

  int m_nValue;
  int m_nDirection;
  int m_nStep;
  int m_nMin;
  int m_nMax;
  HWND m_hWndTarget = nullptr;

  DECLARE_MESSAGE_MAP()
};
