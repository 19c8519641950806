#include "framework/win/OleDocument.h"

IMPLEMENT_DYNAMIC(CDocItem, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)

CDocItem::~CDocItem() {
  if (m_pDocument != nullptr) m_pDocument->RemoveItem(this);
}

COleDocument::~COleDocument() {
  // The items must not outlive the list that points at them.
  COleDocument::DeleteContents();
}

void COleDocument::AddItem(CDocItem* pItem) {
  if (pItem == nullptr || pItem->m_pDocument == this) return;
  if (pItem->m_pDocument != nullptr) pItem->m_pDocument->RemoveItem(pItem);
  m_docItemList.AddTail(pItem);
  pItem->m_pDocument = this;
}

void COleDocument::RemoveItem(CDocItem* pItem) {
  if (pItem == nullptr || pItem->m_pDocument != this) return;
  POSITION pos = m_docItemList.Find(pItem);
  if (pos != nullptr) m_docItemList.RemoveAt(pos);
  pItem->m_pDocument = nullptr;
}

void COleDocument::DeleteContents() {
  while (!m_docItemList.IsEmpty()) {
    auto* pItem = static_cast<CDocItem*>(m_docItemList.GetHead());
    RemoveItem(pItem);
    delete pItem;
  }
}
