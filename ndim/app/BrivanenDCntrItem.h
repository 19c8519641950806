// CBrivanenDCntrItem: an object of another program held in an nD document,
// drawn over the plots of the graph view.
#pragma once

#include "framework/base/Rect.h"
#include "framework/win/OleClientItem.h"

class CBrivanenDDoc;
class CBrivanenDView;

class CBrivanenDCntrItem : public COleClientItem {
  DECLARE_SERIAL(CBrivanenDCntrItem)
 public:
  explicit CBrivanenDCntrItem(CBrivanenDDoc* pContainer = nullptr);
  ~CBrivanenDCntrItem() override;

  CBrivanenDDoc* GetDocument() const;
  CBrivanenDView* GetActiveView() const;

  // The base's object, then the rectangle as four int32.
  void Serialize(CArchive& ar) override;

  // Repaints the item in every view of the document (hint 1).
  void InvalidateItem();
  // Takes the size of the object's cached picture when it changed and the
  // item is not being edited in place.
  void UpdateFromServerExtent();

  // Where the item lies in the view.
  CRect m_rect;

 protected:
  void OnChange(OLE_NOTIFICATION nCode, DWORD dwParam) override;
  BOOL OnChangeItemPosition(const CRect& rectPos) override;
  void OnDeactivateUI(BOOL bUndoable) override;
  BOOL CanActivate() override;
  void OnActivate() override;
  // In place the object always opens on the same square, whatever the
  // item's own rectangle.
  void OnGetItemPosition(CRect& rPosition) override;
};
