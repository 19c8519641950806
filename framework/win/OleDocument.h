// CDocItem and COleDocument: a document that holds OLE items beside its own
// contents. Container items (COleClientItem) and the items a server document
// offers (COleServerItem) both live in the document's item list, which the
// document owns: emptying or deleting the document deletes its items.
#pragma once

#include <cstddef>
#include <vector>

#include "framework/base/Lists.h"
#include "framework/win/Document.h"

class COleClientItem;
class COleDocument;
class CWnd;

class CDocItem : public CCmdTarget {
  DECLARE_DYNAMIC(CDocItem)
 public:
  ~CDocItem() override;
  COleDocument* GetDocument() const { return m_pDocument; }
  // Only what a container shows (client items) are "blank" when they have
  // nothing to draw; server items never are.
  virtual BOOL IsBlank() const { return FALSE; }

 protected:
  CDocItem() = default;

 private:
  friend class COleDocument;
  COleDocument* m_pDocument = nullptr;
};

class COleDocument : public CDocument {
  DECLARE_DYNAMIC(COleDocument)
 public:
  COleDocument() = default;
  ~COleDocument() override;

  // The document takes the item (removing it from any other document).
  virtual void AddItem(CDocItem* pItem);
  // The item leaves the list; the caller owns it from then on.
  virtual void RemoveItem(CDocItem* pItem);
  POSITION GetStartPosition() const { return m_docItemList.GetHeadPosition(); }
  CDocItem* GetNextItem(POSITION& rPosition) const { return static_cast<CDocItem*>(m_docItemList.GetNext(rPosition)); }
  int GetItemCount() const { return static_cast<int>(m_docItemList.GetCount()); }

  // The next client item from rPosition on (items of other kinds are
  // passed over), or null at the end.
  COleClientItem* GetNextClientItem(POSITION& rPosition) const;
  // The client item active in place in pWnd, or null.
  COleClientItem* GetInPlaceActiveItem(CWnd* pWnd) const;
  // For a view of the document: the focus goes on to the window of the item
  // active in place in it (FALSE when there is none showing); that item's
  // editing ends (Escape, or another item taking over: pKeep is left
  // active); that item is deactivated (the view goes).
  BOOL FocusInPlaceItem(CWnd* pView) const;
  void CloseInPlaceItem(CWnd* pView, const COleClientItem* pKeep = nullptr) const;
  void DeactivateInPlaceItem(CWnd* pView) const;

  // Deletes every item.
  void DeleteContents() override;

  // The client items as one block of item records (ItemRecords.h); an item
  // whose object cannot be written is left out.
  std::vector<BYTE> StoreItems();
  // Adds the items of such a block. A damaged item is left out and counted
  // (GetDamagedItemCount); the others load.
  void LoadItems(const BYTE* pData, std::size_t nSize);
  // The items block with its length (loading empties the damage count
  // first).
  void Serialize(CArchive& ar) override;
  int GetDamagedItemCount() const { return m_nDamagedItems; }
  void ResetDamagedItemCount() { m_nDamagedItems = 0; }

 protected:
  CPtrList m_docItemList;
  int m_nDamagedItems = 0;
};
