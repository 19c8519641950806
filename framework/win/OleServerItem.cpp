#include "framework/win/OleServerItem.h"

#include "framework/base/Archive.h"
#include "framework/win/Dc.h"
#include "framework/win/OleServerDoc.h"

IMPLEMENT_DYNAMIC(COleServerItem, CDocItem)

COleServerItem::COleServerItem(COleServerDoc* pServerDoc, BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {
  if (pServerDoc != nullptr)
    pServerDoc->AddItem(this);
}

COleServerItem::~COleServerItem() = default;

COleServerDoc* COleServerItem::GetDocument() const {
  return static_cast<COleServerDoc*>(CDocItem::GetDocument());
}

BOOL COleServerItem::IsEmbeddedItem() const {
  COleServerDoc* pDoc = GetDocument();
  return pDoc != nullptr && pDoc->GetEmbeddedItem() == this;
}

BOOL COleServerItem::OnGetExtent(DVASPECT nDrawAspect, CSize& rSize) {
  if (nDrawAspect != DVASPECT_CONTENT || m_sizeExtent.cx <= 0 || m_sizeExtent.cy <= 0)
    return FALSE;
  rSize = m_sizeExtent;
  return TRUE;
}

BOOL COleServerItem::OnSetExtent(DVASPECT nDrawAspect, const CSize& size) {
  if (nDrawAspect != DVASPECT_CONTENT || size.cx <= 0 || size.cy <= 0)
    return FALSE;
  m_sizeExtent = size;
  return TRUE;
}

void COleServerItem::Serialize(CArchive& ar) {
  if (IsEmbeddedItem())
    GetDocument()->Serialize(ar);
}

BOOL COleServerItem::IsRenderedFormat(const FORMATETC* pFormatEtc) {
  return pFormatEtc != nullptr && pFormatEtc->cfFormat == CF_METAFILEPICT &&
         (pFormatEtc->tymed & TYMED_MFPICT) != 0 && pFormatEtc->dwAspect == DVASPECT_CONTENT;
}

BOOL COleServerItem::OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium) {
  if (!IsRenderedFormat(lpFormatEtc) || lpStgMedium == nullptr)
    return FALSE;
  HGLOBAL hPict = GetMetafileData();
  if (hPict == nullptr)
    return FALSE;
  lpStgMedium->tymed = TYMED_MFPICT;
  lpStgMedium->hMetaFilePict = hPict;
  lpStgMedium->pUnkForRelease = nullptr;
  return TRUE;
}

HGLOBAL COleServerItem::GetMetafileData() {
  CSize size;
  if (!OnGetExtent(DVASPECT_CONTENT, size))
    size = CSize(0, 0);
  HDC hMetaDC = ::CreateMetaFileA(nullptr);
  if (hMetaDC == nullptr)
    return nullptr;
  CDC dc;
  dc.AttachTemporary(hMetaDC);
  // The player maps the picture onto the container's rectangle.
  dc.SetMapMode(MM_ANISOTROPIC);
  dc.SetWindowOrg(0, 0);
  dc.SetWindowExt(size);
  BOOL bDrawn = OnDraw(&dc, size);
  dc.DetachTemporary();
  HMETAFILE hMF = ::CloseMetaFile(hMetaDC);
  if (hMF == nullptr)
    return nullptr;
  HGLOBAL hPict = bDrawn ? ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, sizeof(METAFILEPICT)) : nullptr;
  METAFILEPICT* pPict = hPict != nullptr ? static_cast<METAFILEPICT*>(::GlobalLock(hPict)) : nullptr;
  if (pPict == nullptr) {
    if (hPict != nullptr)
      ::GlobalFree(hPict);
    ::DeleteMetaFile(hMF);
    return nullptr;
  }
  pPict->mm = MM_ANISOTROPIC;
  pPict->xExt = size.cx;
  pPict->yExt = size.cy;
  pPict->hMF = hMF;
  ::GlobalUnlock(hPict);
  return hPict;
}
