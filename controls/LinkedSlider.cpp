#include "controls/LinkedSlider.h"

#include "controls/SliderEdit.h"

BEGIN_MESSAGE_MAP(CLinkedSlider, CSliderCtrl)
  ON_WM_HSCROLL_REFLECT()
  ON_WM_VSCROLL_REFLECT()
END_MESSAGE_MAP()

void CLinkedSlider::Link(CSliderEdit* pEdit) {
  m_pEdit = pEdit;
  m_bInverted = (GetStyle() & TBS_VERT) != 0;
}

void CLinkedSlider::SetRange(int nMin, int nMax) {
  m_nMin = nMin;
  m_nMax = nMax;
  CSliderCtrl::SetRange(nMin, nMax, FALSE);
}

void CLinkedSlider::SetPosition(int nValue) {
  SetPos(m_bInverted ? m_nMin + m_nMax - nValue : nValue);
}

void CLinkedSlider::Scroll(UINT nSBCode, UINT nPos) {
  if (m_pEdit == nullptr)
    return;
  int nPosition;
  switch (nSBCode) {
    case TB_PAGEUP:
    case TB_PAGEDOWN:
      nPosition = GetPos();
      break;
    case TB_THUMBPOSITION:
    case TB_THUMBTRACK:
      // The message carries 16 signed bits: a range below zero stays below zero.
      nPosition = (int)(short)nPos;
      break;
    default:
      return;  // line moves, ends and end of tracking leave the edit as it is
  }
  if (m_bInverted)
    nPosition = m_nMin + m_nMax - nPosition;
  m_nLastPos = nPosition;
  m_pEdit->SetValue(nPosition);
}
