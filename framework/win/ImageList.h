// CImageList: an image list handle, destroyed with the object unless detached.
#pragma once

#include "framework/base/Object.h"
#include "framework/base/Point.h"
#include "framework/win/Win32.h"

class CBitmap;
class CDC;

class CImageList : public CObject {
  DECLARE_DYNCREATE(CImageList)
 public:
  CImageList() = default;
  ~CImageList() override { DeleteImageList(); }

  HIMAGELIST m_hImageList = nullptr;

  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  static CImageList* FromHandle(HIMAGELIST hImageList);
  static void DeleteTempMap();
  BOOL Attach(HIMAGELIST hImageList);
  HIMAGELIST Detach();
  void AttachTemporary(HIMAGELIST h) { m_hImageList = h; }
  void DetachTemporary() { m_hImageList = nullptr; }

  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
  }
  // Images of width cx from bitmap resource nBitmapID, crMask the transparent colour.
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL DeleteImageList();
  int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  int Add(CBitmap* pbmImage, COLORREF crMask);
  int Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
  BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
  int Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
  HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }
  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
  COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
  BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const {
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
  }
};
