// CBrivanenDCntrItem: an object of another program held in an nD document,
// drawn over the plots of the graph view.
#pragma once

#include "framework/win/OleRectItem.h"

class CBrivanenDDoc;
class CBrivanenDView;

class CBrivanenDCntrItem : public COleRectItem {
  DECLARE_SERIAL(CBrivanenDCntrItem)
 public:
  explicit CBrivanenDCntrItem(CBrivanenDDoc* pContainer = nullptr);
  ~CBrivanenDCntrItem() override;

  CBrivanenDDoc* GetDocument() const;
  CBrivanenDView* GetActiveView() const;

 protected:
  // In place the object always opens on the same square, whatever the
  // item's own rectangle.
  void OnGetItemPosition(CRect& rPosition) override;
};
