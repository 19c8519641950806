#include "framework/win/OleRectItem.h"

#include "framework/base/Archive.h"
#include "framework/base/Endian.h"
#include "framework/win/OleServerDoc.h"
#include "framework/win/View.h"

IMPLEMENT_DYNAMIC(COleRectItem, COleClientItem)

COleRectItem::COleRectItem(COleDocument* pContainer, const CRect& rect) : COleClientItem(pContainer), m_rect(rect) {}

COleRectItem::~COleRectItem() = default;

void COleRectItem::Serialize(CArchive& ar) {
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

void COleRectItem::InvalidateItem() {
  if (COleDocument* pDoc = GetDocument())
    pDoc->UpdateAllViews(nullptr, 1, this);
}

void COleRectItem::UpdateFromServerExtent() {
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
  if (COleDocument* pDoc = GetDocument())
    pDoc->SetModifiedFlag();
}

void COleRectItem::OnChange(OLE_NOTIFICATION nCode, DWORD dwParam) {
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
  if (COleDocument* pDoc = GetDocument())
    pDoc->UpdateAllViews(nullptr);
}

BOOL COleRectItem::OnChangeItemPosition(const CRect& rectPos) {
  if (!COleClientItem::OnChangeItemPosition(rectPos))
    return FALSE;
  InvalidateItem();
  m_rect = rectPos;
  InvalidateItem();
  if (COleDocument* pDoc = GetDocument())
    pDoc->SetModifiedFlag();
  return TRUE;
}

void COleRectItem::OnGetItemPosition(CRect& rPosition) {
  rPosition = m_rect;
}

void COleRectItem::OnActivate() {
  // One item active in place per view.
  COleDocument* pDoc = GetDocument();
  if (pDoc != nullptr && GetActiveView() != nullptr)
    pDoc->CloseInPlaceItem(GetActiveView(), this);
  COleClientItem::OnActivate();
}

void COleRectItem::OnDeactivateUI(BOOL bUndoable) {
  COleClientItem::OnDeactivateUI(bUndoable);
  // An object that is only active while it has the focus goes back to
  // being a picture.
  if (GetMiscStatus() & OLEMISC_INSIDEOUT)
    DoVerb(OLEIVERB_HIDE, nullptr);
}

BOOL COleRectItem::CanActivate() {
  // No in-place editing inside in-place editing: the document may itself
  // be edited in place in another program.
  COleDocument* pDoc = GetDocument();
  if (pDoc != nullptr && pDoc->IsKindOf(RUNTIME_CLASS(COleServerDoc)) &&
      static_cast<COleServerDoc*>(pDoc)->IsInPlaceActive())
    return FALSE;
  return COleClientItem::CanActivate();
}
