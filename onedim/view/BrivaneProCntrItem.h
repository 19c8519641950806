// CBrivaneProCntrItem: an object of another program held in a 1D document
// window, drawn in its rectangle over the spectra.
#pragma once

#include "framework/base/Rect.h"
#include "framework/win/OleClientItem.h"

class CBrivaneDocument;
class CBrivaneProView;

class CBrivaneProCntrItem : public COleClientItem {
  DECLARE_SERIAL(CBrivaneProCntrItem)
 public:
  explicit CBrivaneProCntrItem(CBrivaneDocument* pContainer = nullptr);
  ~CBrivaneProCntrItem() override;

  CBrivaneDocument* GetDocument() const;
  CBrivaneProView* GetActiveView() const;

  // The base's object, then the rectangle as 16 raw bytes.
  void Serialize(CArchive& ar) override;

  // Repaints the item in every view of the document (hint 1).
  void InvalidateItem();
  // Takes the size of the object's cached picture when it changed and the
  // item is not being edited in place.
  void UpdateFromServerExtent();

  // Where the item lies, in the view's logical units.
  CRect m_rect;

 protected:
  void OnChange(OLE_NOTIFICATION nCode, DWORD dwParam) override;
  BOOL OnChangeItemPosition(const CRect& rectPos) override;
  void OnDeactivateUI(BOOL bUndoable) override;
  BOOL CanActivate() override;
  void OnActivate() override;
  void OnGetItemPosition(CRect& rPosition) override;
};
