// CMetaFileDC: draws into an enhanced metafile (the clipboard picture, OLE
// presentations). CloseEnhanced ends the recording and hands over the
// metafile, which the caller then owns.
#pragma once

#include "framework/win/Dc.h"

class CMetaFileDC : public CDC {
  DECLARE_DYNAMIC(CMetaFileDC)
 public:
  CMetaFileDC() = default;
  ~CMetaFileDC() override;

  // pDCRef gives the reference device (the screen when null); lpBounds is in
  // 0.01 mm units, or null to let the system compute the picture frame.
  BOOL CreateEnhanced(CDC* pDCRef, LPCSTR lpszFileName, LPCRECT lpBounds, LPCSTR lpszDescription);
  HENHMETAFILE CloseEnhanced();
};
