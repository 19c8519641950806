// COffscreenDC: a memory DC over the paint DC's clip box. The views draw
// into it and it copies the result back in one BitBlt when it goes, so a
// repaint never shows half a picture. On a printer it is the printer DC
// itself.
#pragma once

#include "framework/win/Dc.h"
#include "framework/win/GdiObject.h"

class COffscreenDC : public CDC {
 public:
  explicit COffscreenDC(CDC* pTarget);
  ~COffscreenDC() override;
  COffscreenDC(const COffscreenDC&) = delete;
  COffscreenDC& operator=(const COffscreenDC&) = delete;

  const CRect& GetTargetRect() const { return m_rect; }

 private:
  CBitmap m_bitmap;
  HGDIOBJ m_hOldBitmap = nullptr;
  CDC* m_pTarget;
  CRect m_rect;  // the target's clip box
  BOOL m_bOffscreen;
};
