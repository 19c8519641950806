#include "onedim/app/BrivaneProSrvrItem.h"

#include "framework/win/Dc.h"
#include "onedim/app/BrivaneDocument.h"

IMPLEMENT_DYNAMIC(CBrivaneProSrvrItem, COleServerItem)

CBrivaneProSrvrItem::CBrivaneProSrvrItem(CBrivaneDocument* pContainerDoc) : COleServerItem(pContainerDoc, TRUE) {}

CBrivaneDocument* CBrivaneProSrvrItem::GetDocument() const {
  return static_cast<CBrivaneDocument*>(COleServerItem::GetDocument());
}

void CBrivaneProSrvrItem::Serialize(CArchive& ar) {
  if (IsEmbeddedItem())
    GetDocument()->Serialize(ar);
}

BOOL CBrivaneProSrvrItem::OnGetExtent(DVASPECT nDrawAspect, CSize& rSize) {
  if (nDrawAspect != DVASPECT_CONTENT)
    return COleServerItem::OnGetExtent(nDrawAspect, rSize);
  // A unit is a tenth of an inch: ten of them span the screen's pixels per
  // inch (mapped the other way round, the object would be a few pixels wide).
  rSize = CSize(40, 22);
  CClientDC dc(nullptr);
  dc.SetMapMode(MM_ANISOTROPIC);
  dc.SetWindowExt(10, -10);
  dc.SetViewportExt(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY));
  dc.LPtoHIMETRIC(&rSize);
  return TRUE;
}

BOOL CBrivaneProSrvrItem::OnDraw(CDC* pDC, CSize&) {
  pDC->SetMapMode(MM_ANISOTROPIC);
  pDC->SetWindowOrg(0, 0);
  pDC->SetWindowExt(3000, 3000);
  pDC->TextOut(15, 15, CString("Brivane Pro"));
  return TRUE;
}
