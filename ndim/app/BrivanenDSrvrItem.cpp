#include "ndim/app/BrivanenDSrvrItem.h"

#include "framework/win/Dc.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/BrivanenDView.h"

namespace {

const int kExtent = 3000;
// Where the view's picture goes in the item's 3000 x 3000 window.
const CRect kPictureRect(10, 10, 1010, 1010);

}  // namespace

IMPLEMENT_DYNAMIC(CBrivanenDSrvrItem, COleServerItem)

CBrivanenDSrvrItem::CBrivanenDSrvrItem(CBrivanenDDoc* pContainerDoc) : COleServerItem(pContainerDoc, TRUE) {}

CBrivanenDDoc* CBrivanenDSrvrItem::GetDocument() const {
  return static_cast<CBrivanenDDoc*>(COleServerItem::GetDocument());
}

void CBrivanenDSrvrItem::Serialize(CArchive& ar) {
  if (IsEmbeddedItem())
    GetDocument()->Serialize(ar);
}

BOOL CBrivanenDSrvrItem::OnGetExtent(DVASPECT nDrawAspect, CSize& rSize) {
  if (nDrawAspect != DVASPECT_CONTENT)
    return COleServerItem::OnGetExtent(nDrawAspect, rSize);
  rSize = CSize(kExtent, kExtent);
  return TRUE;
}

BOOL CBrivanenDSrvrItem::OnDraw(CDC* pDC, CSize&) {
  pDC->SetMapMode(MM_ANISOTROPIC);
  pDC->SetWindowOrg(0, 0);
  pDC->SetWindowExt(kExtent, kExtent);
  CBrivanenDDoc* pDoc = GetDocument();
  CView* pView = pDoc != nullptr ? pDoc->FindView(RUNTIME_CLASS(CBrivanenDView)) : nullptr;
  if (pView != nullptr)
    static_cast<CBrivanenDView*>(pView)->DrawPicture(pDC, kPictureRect);
  return TRUE;
}
