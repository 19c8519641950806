#include "framework/win/ImageList.h"

#include "framework/win/Dc.h"
#include "framework/win/HandleMap.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {
CTempHandleMap<HIMAGELIST, CImageList>& TemporaryImageLists() {
  static CTempHandleMap<HIMAGELIST, CImageList> s_map;
  return s_map;
}
}  // namespace

CImageList* CImageList::FromHandle(HIMAGELIST hImageList) {
  return TemporaryImageLists().Lookup(hImageList);
}

void CImageList::DeleteTempMap() {
  TemporaryImageLists().DeleteAll();
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  if (hImageList == nullptr || m_hImageList != nullptr)
    return FALSE;
  m_hImageList = hImageList;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  m_hImageList = nullptr;
  return h;
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  return Attach(ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask,
                                     IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::DeleteImageList() {
  if (m_hImageList == nullptr)
    return FALSE;
  return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
  return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->m_hObject,
                       pbmMask != nullptr ? (HBITMAP)pbmMask->m_hObject : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
  return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->m_hObject, crMask);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}
