// CDocItem and COleDocument: a document that holds OLE items beside its own
// contents. Container items (COleClientItem) and the items a server document
// offers (COleServerItem) both live in the document's item list, which the
// document owns: emptying or deleting the document deletes its items.
#pragma once

#include "framework/base/Lists.h"
#include "framework/win/Document.h"

class COleDocument;

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

  // Deletes every item.
  void DeleteContents() override;

 protected:
  CPtrList m_docItemList;
};
