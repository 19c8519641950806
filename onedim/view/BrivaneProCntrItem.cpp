#include "onedim/view/BrivaneProCntrItem.h"

#include "framework/base/Archive.h"
#include "framework/base/Endian.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/view/BrivaneProView.h"

IMPLEMENT_SERIAL(CBrivaneProCntrItem, COleClientItem, 0)

CBrivaneProCntrItem::CBrivaneProCntrItem(CBrivaneDocument* pContainer)
    : COleClientItem(pContainer), m_rect(10, 10, 100, 100) {}

CBrivaneProCntrItem::~CBrivaneProCntrItem() = default;

CBrivaneDocument* CBrivaneProCntrItem::GetDocument() const {
  return static_cast<CBrivaneDocument*>(COleClientItem::GetDocument());
}

CBrivaneProView* CBrivaneProCntrItem::GetActiveView() const {
  return static_cast<CBrivaneProView*>(COleClientItem::GetActiveView());
}

void CBrivaneProCntrItem::Serialize(CArchive& ar) {
  COleClientItem::Serialize(ar);
  BYTE raw[16];
  if (ar.IsStoring()) {
    WriteI32LE(raw, m_rect.left);
    WriteI32LE(raw + 4, m_rect.top);
    WriteI32LE(raw + 8, m_rect.right);
    WriteI32LE(raw + 12, m_rect.bottom);
    ar.Write(raw, sizeof raw);
  } else {
    if (ar.Read(raw, sizeof raw) != sizeof raw)
      AfxThrowArchiveException(CArchiveException::endOfFile);
    m_rect.SetRect(ReadI32LE(raw), ReadI32LE(raw + 4), ReadI32LE(raw + 8), ReadI32LE(raw + 12));
  }
}

void CBrivaneProCntrItem::InvalidateItem() {
  if (CBrivaneDocument* pDoc = GetDocument())
    pDoc->UpdateAllViews(nullptr, 1, this);
}

void CBrivaneProCntrItem::UpdateFromServerExtent() {
  CSize size;
  if (!GetCachedExtent(&size))
    return;
  size = HimetricToDevice(nullptr, size);
  if (size == m_rect.Size() || IsInPlaceActive())
    return;
  InvalidateItem();
  m_rect.right = m_rect.left + size.cx;
  m_rect.bottom = m_rect.top + size.cy;
  InvalidateItem();
  if (CBrivaneDocument* pDoc = GetDocument())
    pDoc->SetModifiedFlag();
}

void CBrivaneProCntrItem::OnChange(OLE_NOTIFICATION nCode, DWORD dwParam) {
  COleClientItem::OnChange(nCode, dwParam);
  switch (nCode) {
    case OLE_CHANGED:
      InvalidateItem();
      UpdateFromServerExtent();
      break;
    case OLE_CHANGED_STATE:
    case OLE_CHANGED_ASPECT:
      InvalidateItem();
      break;
    default:
      break;
  }
  if (CBrivaneDocument* pDoc = GetDocument())
    pDoc->UpdateAllViews(nullptr);
}

BOOL CBrivaneProCntrItem::OnChangeItemPosition(const CRect& rectPos) {
  if (!COleClientItem::OnChangeItemPosition(rectPos))
    return FALSE;
  InvalidateItem();
  m_rect = rectPos;
  InvalidateItem();
  if (CBrivaneDocument* pDoc = GetDocument())
    pDoc->SetModifiedFlag();
  return TRUE;
}

void CBrivaneProCntrItem::OnGetItemPosition(CRect& rPosition) {
  rPosition = m_rect;
}

void CBrivaneProCntrItem::OnActivate() {
  // One item active in place per view.
  CBrivaneDocument* pDoc = GetDocument();
  CBrivaneProView* pView = GetActiveView();
  if (pDoc != nullptr && pView != nullptr) {
    COleClientItem* pOther = pDoc->GetInPlaceActiveItem(pView);
    if (pOther != nullptr && pOther != this)
      pOther->Close();
  }
  COleClientItem::OnActivate();
}

void CBrivaneProCntrItem::OnDeactivateUI(BOOL bUndoable) {
  COleClientItem::OnDeactivateUI(bUndoable);
  // An object that is only active while it has the focus goes back to
  // being a picture.
  if (GetMiscStatus() & OLEMISC_INSIDEOUT)
    DoVerb(OLEIVERB_HIDE, nullptr);
}

BOOL CBrivaneProCntrItem::CanActivate() {
  // No in-place editing inside in-place editing: the document may itself
  // be edited in place in another program.
  CBrivaneDocument* pDoc = GetDocument();
  if (pDoc != nullptr && pDoc->IsInPlaceActive())
    return FALSE;
  return COleClientItem::CanActivate();
}
