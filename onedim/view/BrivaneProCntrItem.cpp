#include "onedim/view/BrivaneProCntrItem.h"

#include "framework/base/Archive.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/view/BrivaneProView.h"

IMPLEMENT_SERIAL(CBrivaneProCntrItem, COleRectItem, 0)

CBrivaneProCntrItem::CBrivaneProCntrItem(CBrivaneDocument* pContainer)
    : COleRectItem(pContainer, CRect(10, 10, 100, 100)) {}

CBrivaneProCntrItem::~CBrivaneProCntrItem() = default;

CBrivaneDocument* CBrivaneProCntrItem::GetDocument() const {
  return static_cast<CBrivaneDocument*>(COleClientItem::GetDocument());
}

CBrivaneProView* CBrivaneProCntrItem::GetActiveView() const {
  return static_cast<CBrivaneProView*>(COleClientItem::GetActiveView());
}
