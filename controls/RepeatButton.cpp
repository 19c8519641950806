#include "controls/RepeatButton.h"

BEGIN_MESSAGE_MAP(CRepeatButton, CButton)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

// The pause before step n (from 1): the longer the button is held, the faster it goes.
DWORD PauseBefore(int nStep) {
  if (nStep <= 10)
    return 100;
  if (nStep <= 20)
    return 75;
  if (nStep <= 30)
    return 50;
  return 25;
}

}  // namespace

CRepeatButton::CRepeatButton(int nValue, int nDirection, int nStep, int nMin, int nMax)
    : m_nValue(nValue), m_nDirection(nDirection), m_nStep(nStep), m_nMin(nMin), m_nMax(nMax) {}

void CRepeatButton::SetParameters(CWnd* pTarget, int nValue, int nDirection, int nStep, int nMin, int nMax) {
  m_hWndTarget = HwndOf(pTarget);
  m_nValue = nValue;
  m_nDirection = nDirection;
  m_nStep = nStep;
  m_nMin = nMin;
  m_nMax = nMax;
}

void CRepeatButton::OnLButtonDown(UINT, CPoint) {
  Default();  // shows the button pressed and captures the mouse
  const HWND hWndSelf = m_hWnd;
  const HWND hWndTarget = m_hWndTarget != nullptr ? m_hWndTarget : ::GetParent(hWndSelf);
  const WPARAM nID = (WPARAM)GetDlgCtrlID();
  for (int nStep = 1;; ++nStep) {
    ::Sleep(PauseBefore(nStep));
    MSG msg;
    if (::PeekMessageA(&msg, hWndSelf, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE))
      break;
    // Without the capture no button-up will ever come here.
    if (::GetCapture() != hWndSelf || !::IsWindow(hWndTarget))
      break;
    long long nValue = (long long)m_nValue + (m_nDirection != 0 ? -(long long)m_nStep : (long long)m_nStep);
    if (nValue < m_nMin)
      nValue = m_nMax;
    else if (nValue > m_nMax)
      nValue = m_nMin;
    m_nValue = (int)nValue;
    ::SendMessageA(hWndTarget, WMU_REPEAT_VALUE, nID, (LPARAM)m_nValue);
    // The target may have closed the dialog this button belongs to.
    if (!::IsWindow(hWndSelf) || FromHandlePermanent(hWndSelf) != this)
      return;
  }
  ::SendMessageA(hWndSelf, WM_LBUTTONUP, 0, 0);
}
