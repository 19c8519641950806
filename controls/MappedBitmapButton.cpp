#include "controls/MappedBitmapButton.h"

#include "framework/win/Dc.h"

IMPLEMENT_DYNAMIC(CMappedBitmapButton, CButton)

BEGIN_MESSAGE_MAP(CMappedBitmapButton, CButton)
  ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

BOOL CMappedBitmapButton::LoadMappedBitmap(UINT nBitmapId) {
  m_ImageList.DeleteImageList();
  m_nBitmapId = (int)nBitmapId;
  CBitmap bitmap;
  if (!bitmap.LoadMappedBitmap(nBitmapId))
    return FALSE;
  BITMAP bm = {};
  if (bitmap.GetBitmap(&bm) == 0 || bm.bmWidth < ImageCount || bm.bmHeight <= 0)
    return FALSE;
  UINT nColour = bm.bmBitsPixel <= 4    ? ILC_COLOR4
                 : bm.bmBitsPixel <= 8  ? ILC_COLOR8
                 : bm.bmBitsPixel <= 16 ? ILC_COLOR16
                                        : ILC_COLOR24;
  if (!m_ImageList.Create(bm.bmWidth / ImageCount, bm.bmHeight, nColour, ImageCount, 0))
    return FALSE;
  return m_ImageList.Add(&bitmap, (CBitmap*)nullptr) != -1;
}

void CMappedBitmapButton::SizeToContent() {
  int cx = 0, cy = 0;
  if (m_ImageList.m_hImageList == nullptr || !ImageList_GetIconSize(m_ImageList.m_hImageList, &cx, &cy))
    return;
  SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

BOOL CMappedBitmapButton::AutoLoad(UINT nID, CWnd* pParent, UINT nBitmapId) {
  if (!SubclassDlgItem(nID, pParent) || !LoadMappedBitmap(nBitmapId))
    return FALSE;
  SizeToContent();
  return TRUE;
}

void CMappedBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  int nImage = ImageUp;
  if (lpDIS->itemState & ODS_SELECTED)
    nImage = ImageDown;
  else if (lpDIS->itemState & ODS_FOCUS)
    nImage = ImageFocus;
  else if (lpDIS->itemState & ODS_DISABLED)
    nImage = ImageDisabled;
  m_ImageList.Draw(CDC::FromHandle(lpDIS->hDC), nImage, CPoint(lpDIS->rcItem.left, lpDIS->rcItem.top), ILD_NORMAL);
}

void CMappedBitmapButton::OnSysColorChange() {
  Default();
  // The greys of the images follow the new system colours.
  if (m_ImageList.m_hImageList != nullptr && m_ImageList.GetImageCount() == ImageCount)
    LoadMappedBitmap((UINT)m_nBitmapId);
  Invalidate();
}
