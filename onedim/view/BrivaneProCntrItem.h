// CBrivaneProCntrItem: an object of another program held in a 1D document
// window, drawn in its rectangle over the spectra.
#pragma once

#include "framework/win/OleRectItem.h"

class CBrivaneDocument;
class CBrivaneProView;

class CBrivaneProCntrItem : public COleRectItem {
  DECLARE_SERIAL(CBrivaneProCntrItem)
 public:
  explicit CBrivaneProCntrItem(CBrivaneDocument* pContainer = nullptr);
  ~CBrivaneProCntrItem() override;

  CBrivaneDocument* GetDocument() const;
  CBrivaneProView* GetActiveView() const;
};
