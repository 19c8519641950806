#include "ndim/app/BrivanenDCntrItem.h"

#include "framework/base/Archive.h"
#include "framework/base/Endian.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/BrivanenDView.h"

IMPLEMENT_SERIAL(CBrivanenDCntrItem, COleClientItem, 0)

namespace {

// Whether the document is itself being edited in place in another program:
// no in-place editing inside in-place editing. The server side of the
// document answers this; a plain container document never is.
BOOL IsDocumentInPlaceActive(CBrivanenDDoc*) {
  return FALSE;
}

}  // namespace

CBrivanenDCntrItem::CBrivanenDCntrItem(CBrivanenDDoc* pContainer)
    : COleClientItem(pContainer), m_rect(10, 10, 100, 100) {}

CBrivanenDCntrItem::~CBrivanenDCntrItem() = default;

CBrivanenDDoc* CBrivanenDCntrItem::GetDocument() const {
  return static_cast<CBrivanenDDoc*>(COleClientItem::GetDocument());
}

CBrivanenDView* CBrivanenDCntrItem::GetActiveView() const {
  return static_cast<CBrivanenDView*>(COleClientItem::GetActiveView());
}

void CBrivanenDCntrItem::Serialize(CArchive& ar) {
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

void CBrivanenDCntrItem::InvalidateItem() {
  if (CBrivanenDDoc* pDoc = GetDocument())
    pDoc->UpdateAllViews(nullptr, 1, this);
}

void CBrivanenDCntrItem::UpdateFromServerExtent() {
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
  if (CBrivanenDDoc* pDoc = GetDocument())
    pDoc->SetModifiedFlag();
}

void CBrivanenDCntrItem::OnChange(OLE_NOTIFICATION nCode, DWORD dwParam) {
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
  if (CBrivanenDDoc* pDoc = GetDocument())
    pDoc->UpdateAllViews(nullptr);
}

BOOL CBrivanenDCntrItem::OnChangeItemPosition(const CRect& rectPos) {
  if (!COleClientItem::OnChangeItemPosition(rectPos))
    return FALSE;
  InvalidateItem();
  m_rect = rectPos;
  InvalidateItem();
  if (CBrivanenDDoc* pDoc = GetDocument())
    pDoc->SetModifiedFlag();
  return TRUE;
}

void CBrivanenDCntrItem::OnGetItemPosition(CRect& rPosition) {
  rPosition.SetRect(10, 10, 210, 210);
}

void CBrivanenDCntrItem::OnActivate() {
  // One item active in place per view.
  CBrivanenDDoc* pDoc = GetDocument();
  CView* pView = COleClientItem::GetActiveView();
  if (pDoc != nullptr && pView != nullptr) {
    COleClientItem* pOther = pDoc->GetInPlaceActiveItem(pView);
    if (pOther != nullptr && pOther != this)
      pOther->Close();
  }
  COleClientItem::OnActivate();
}

void CBrivanenDCntrItem::OnDeactivateUI(BOOL bUndoable) {
  COleClientItem::OnDeactivateUI(bUndoable);
  // An object that is only active while it has the focus goes back to
  // being a picture.
  if (GetMiscStatus() & OLEMISC_INSIDEOUT)
    DoVerb(OLEIVERB_HIDE, nullptr);
}

BOOL CBrivanenDCntrItem::CanActivate() {
  if (IsDocumentInPlaceActive(GetDocument()))
    return FALSE;
  return COleClientItem::CanActivate();
}
