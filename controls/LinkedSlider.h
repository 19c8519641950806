// CLinkedSlider: a trackbar that writes its position into a CSliderEdit as
// the user moves it. A vertical one is turned over, so that its top is the
// maximum.
#pragma once

#include <climits>

#include "framework/win/CommonControls.h"

class CSliderEdit;

class CLinkedSlider : public CSliderCtrl {
 public:
  CLinkedSlider() = default;

  void Link(CSliderEdit* pEdit);
  void SetRange(int nMin, int nMax);
  // Shows the value, turned over on a vertical slider.
  void SetPosition(int nValue);

 protected:
  void HScroll(UINT nSBCode, UINT nPos) { Scroll(nSBCode, nPos); }
  void VScroll(UINT nSBCode, UINT nPos) { Scroll(nSBCode, nPos); }
  void Scroll(UINT nSBCode, UINT nPos);

  CSliderEdit* m_pEdit = nullptr;
  int m_nMin = 0;
  int m_nMax = 0;
  int m_nLastPos = INT_MAX;
  BOOL m_bInverted = FALSE;

  DECLARE_MESSAGE_MAP()
};
