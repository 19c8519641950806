#include "framework/win/MetaFileDC.h"

IMPLEMENT_DYNAMIC(CMetaFileDC, CDC)

CMetaFileDC::~CMetaFileDC() {
  // A recording never closed: end it and drop the picture (a metafile DC is
  // not freed by DeleteDC).
  if (m_hDC != nullptr)
    ::DeleteEnhMetaFile(CloseEnhanced());
}

BOOL CMetaFileDC::CreateEnhanced(CDC* pDCRef, LPCSTR lpszFileName, LPCRECT lpBounds, LPCSTR lpszDescription) {
  return Attach(
      ::CreateEnhMetaFileA(pDCRef != nullptr ? pDCRef->m_hDC : nullptr, lpszFileName, lpBounds, lpszDescription));
}

HENHMETAFILE CMetaFileDC::CloseEnhanced() {
  if (m_hDC == nullptr)
    return nullptr;
  return ::CloseEnhMetaFile(Detach());
}
