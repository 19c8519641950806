#include "ndim/app/BrivanenDCntrItem.h"

#include "framework/base/Archive.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/BrivanenDView.h"

IMPLEMENT_SERIAL(CBrivanenDCntrItem, COleRectItem, 0)

CBrivanenDCntrItem::CBrivanenDCntrItem(CBrivanenDDoc* pContainer) : COleRectItem(pContainer, CRect(10, 10, 100, 100)) {}

CBrivanenDCntrItem::~CBrivanenDCntrItem() = default;

CBrivanenDDoc* CBrivanenDCntrItem::GetDocument() const {
  return static_cast<CBrivanenDDoc*>(COleClientItem::GetDocument());
}

CBrivanenDView* CBrivanenDCntrItem::GetActiveView() const {
  return static_cast<CBrivanenDView*>(COleClientItem::GetActiveView());
}

void CBrivanenDCntrItem::OnGetItemPosition(CRect& rPosition) {
  rPosition.SetRect(10, 10, 210, 210);
}
