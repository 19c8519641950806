// COleRectItem: a container's item that lies at a rectangle of its
// document's views, in the views' logical units. It keeps that rectangle
// with the object, follows the object's size and position, repaints itself
// in every view (hint 1) and is edited in place one item per view.
#pragma once

#include "framework/base/Rect.h"
#include "framework/win/OleClientItem.h"

class COleRectItem : public COleClientItem {
  DECLARE_DYNAMIC(COleRectItem)
 public:
  ~COleRectItem() override;

  // The base's object, then the rectangle as four int32 (little-endian).
  void Serialize(CArchive& ar) override;

  // Repaints the item in every view of the document (hint 1).
  void InvalidateItem();
  // Takes the size of the object's cached picture when it changed and the
  // item is not being edited in place.
  void UpdateFromServerExtent();

  CRect m_rect;

 protected:
  COleRectItem(COleDocument* pContainer, const CRect& rect);

  void OnChange(OLE_NOTIFICATION nCode, DWORD dwParam) override;
  BOOL OnChangeItemPosition(const CRect& rectPos) override;
  void OnGetItemPosition(CRect& rPosition) override;
  void OnDeactivateUI(BOOL bUndoable) override;
  BOOL CanActivate() override;
  void OnActivate() override;
};
