#include "onedim/view/OffscreenDC.h"

COffscreenDC::COffscreenDC(CDC* pTarget) : m_pTarget(pTarget), m_bOffscreen(!pTarget->IsPrinting()) {
  pTarget->GetClipBox(&m_rect);
  SetPrinting(pTarget->IsPrinting());
  // Without memory for the bitmap the target is drawn on directly: a
  // flickering repaint is better than none.
  if (m_bOffscreen && CreateCompatibleDC(pTarget) &&
      m_bitmap.CreateCompatibleBitmap(pTarget, m_rect.Width(), m_rect.Height())) {
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
    return;
  }
  if (m_hDC != nullptr)
    DeleteDC();
  m_bOffscreen = FALSE;
  AttachTemporary(pTarget->m_hDC);
}

COffscreenDC::~COffscreenDC() {
  if (!m_bOffscreen) {
    DetachTemporary();
    return;
  }
  m_pTarget->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
  ::SelectObject(m_hDC, m_hOldBitmap);
}
