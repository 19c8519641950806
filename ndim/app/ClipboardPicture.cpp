#include "ndim/app/ClipboardPicture.h"

#include "framework/win/Dc.h"

CClipboardPicture::~CClipboardPicture() {
  if (m_hMetaFile != nullptr)
    ::DeleteEnhMetaFile(m_hMetaFile);
}

void CClipboardPicture::Play(CDC* pDC, const RECT& rect) const {
  if (!::OpenClipboard(m_hWndOwner))
    return;
  ::PlayEnhMetaFile(pDC->GetSafeHdc(), m_hMetaFile, &rect);
  ::CloseClipboard();
}
