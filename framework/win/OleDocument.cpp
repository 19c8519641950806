#include "framework/win/OleDocument.h"

#include <vector>

#include "framework/base/Archive.h"
#include "framework/base/ItemRecords.h"
#include "framework/base/MemFile.h"
#include "framework/win/OleClientItem.h"
#include "framework/win/View.h"

IMPLEMENT_DYNAMIC(CDocItem, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)

CDocItem::~CDocItem() {
  if (m_pDocument != nullptr)
    m_pDocument->RemoveItem(this);
}

COleDocument::~COleDocument() {
  // The items must not outlive the list that points at them.
  COleDocument::DeleteContents();
}

void COleDocument::AddItem(CDocItem* pItem) {
  if (pItem == nullptr || pItem->m_pDocument == this)
    return;
  if (pItem->m_pDocument != nullptr)
    pItem->m_pDocument->RemoveItem(pItem);
  m_docItemList.AddTail(pItem);
  pItem->m_pDocument = this;
}

void COleDocument::RemoveItem(CDocItem* pItem) {
  if (pItem == nullptr || pItem->m_pDocument != this)
    return;
  POSITION pos = m_docItemList.Find(pItem);
  if (pos != nullptr)
    m_docItemList.RemoveAt(pos);
  pItem->m_pDocument = nullptr;
  POSITION posView = GetFirstViewPosition();
  while (posView != nullptr)
    GetNextView(posView)->OnDocItemRemoved(pItem);
}

void COleDocument::DeleteContents() {
  while (!m_docItemList.IsEmpty()) {
    auto* pItem = static_cast<CDocItem*>(m_docItemList.GetHead());
    RemoveItem(pItem);
    delete pItem;
  }
}

COleClientItem* COleDocument::GetNextClientItem(POSITION& rPosition) const {
  while (rPosition != nullptr) {
    CDocItem* pItem = GetNextItem(rPosition);
    if (pItem->IsKindOf(RUNTIME_CLASS(COleClientItem)))
      return static_cast<COleClientItem*>(pItem);
  }
  return nullptr;
}

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd* pWnd) const {
  POSITION pos = GetStartPosition();
  while (COleClientItem* pItem = GetNextClientItem(pos))
    if (pItem->IsInPlaceActive() && (pWnd == nullptr || static_cast<CWnd*>(pItem->GetActiveView()) == pWnd))
      return pItem;
  return nullptr;
}

BOOL COleDocument::FocusInPlaceItem(CWnd* pView) const {
  COleClientItem* pActive = GetInPlaceActiveItem(pView);
  HWND hItem = pActive != nullptr ? pActive->GetInPlaceWindow() : nullptr;
  if (hItem == nullptr || !::IsWindowVisible(hItem))
    return FALSE;
  ::SetFocus(hItem);
  return TRUE;
}

void COleDocument::CloseInPlaceItem(CWnd* pView, const COleClientItem* pKeep) const {
  COleClientItem* pActive = GetInPlaceActiveItem(pView);
  if (pActive != nullptr && pActive != pKeep)
    pActive->Close();
}

void COleDocument::DeactivateInPlaceItem(CWnd* pView) const {
  if (COleClientItem* pActive = GetInPlaceActiveItem(pView))
    pActive->Deactivate();
}

namespace {

// A block of items larger than this is damage.
const DWORD kMaxItemsBlock = 512u * 1024u * 1024u;
// Bytes read at a time, so a damaged length allocates no more than arrives.
const UINT kReadStep = 65536;

}  // namespace

std::vector<BYTE> COleDocument::StoreItems() {
  std::vector<CItemRecord> records;
  POSITION pos = GetStartPosition();
  while (COleClientItem* pItem = GetNextClientItem(pos)) {
    // An item whose object cannot be written is left out of the file
    // rather than failing the whole save.
    try {
      CMemFile file;
      CArchive ar(&file, CArchive::store);
      ar.m_pDocument = this;
      ar.WriteObject(pItem);
      ar.Close();
      CItemRecord record((std::size_t)file.GetLength());
      file.SeekToBegin();
      if (!record.empty())
        file.Read(record.data(), (UINT)record.size());
      records.push_back(std::move(record));
    } catch (CException* e) {
      e->Delete();
    }
  }
  return JoinItemRecords(records);
}

void COleDocument::LoadItems(const BYTE* pData, std::size_t nSize) {
  int nDamaged = 0;
  std::vector<CItemRecord> records = SplitItemRecords(pData, nSize, &nDamaged);
  for (CItemRecord& record : records) {
    CMemFile file(record.data(), (UINT)record.size());
    CArchive in(&file, CArchive::load);
    in.m_pDocument = this;
    try {
      CObject* pOb = in.ReadObject(RUNTIME_CLASS(COleClientItem));
      if (pOb == nullptr)
        nDamaged++;
      else
        AddItem(static_cast<CDocItem*>(pOb));
    } catch (CException* e) {
      // A storage that is no object: the item deleted itself.
      e->Delete();
      nDamaged++;
    }
  }
  m_nDamagedItems += nDamaged;
}

void COleDocument::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    std::vector<BYTE> block = StoreItems();
    ar << (DWORD)block.size();
    ar.Write(block.data(), (UINT)block.size());
    return;
  }
  m_nDamagedItems = 0;
  DWORD nSize = 0;
  ar >> nSize;
  if (nSize > kMaxItemsBlock)
    AfxThrowArchiveException(CArchiveException::badIndex);
  std::vector<BYTE> block;
  while (block.size() < nSize) {
    UINT nPart = nSize - (DWORD)block.size() < kReadStep ? (UINT)(nSize - block.size()) : kReadStep;
    std::size_t nAt = block.size();
    block.resize(nAt + nPart);
    if (ar.Read(block.data() + nAt, nPart) != nPart)
      AfxThrowArchiveException(CArchiveException::endOfFile);
  }
  LoadItems(block.data(), block.size());
}
