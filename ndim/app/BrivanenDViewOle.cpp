// The graph view's OLE items: drawn over the plots with their trackers,
// selected and dragged before any mouse tool acts, opened with a double
// click, inserted, pasted and deleted.
#include "framework/win/CmdUI.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/OleDataObject.h"
#include "framework/win/OleInsertDialog.h"
#include "framework/win/RectTracker.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WaitCursor.h"
#include "ndim/app/BrivanenDCntrItem.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/BrivanenDView.h"
#include "resources/BrivanenDRes.h"

void CBrivanenDView::OnDocItemRemoved(const CObject* pDocItem) {
  if (pDocItem == m_pSelection)
    m_pSelection = nullptr;
}

// On the page and in the clipboard picture an item's rectangle grows with
// the factors like the plots; on the screen it carries its tracker.
void CBrivanenDView::DrawItems(CDC* pDC, double fx, double fy, BOOL bScreen) {
  CBrivanenDDoc* pDoc = GetDocument();
  POSITION pos = pDoc->GetStartPosition();
  while (COleClientItem* pClient = pDoc->GetNextClientItem(pos)) {
    auto* pItem = static_cast<CBrivanenDCntrItem*>(pClient);
    CRect rc = pItem->m_rect;
    if (!bScreen)
      rc.SetRect((int)(rc.left * fx), (int)(rc.top * fy), (int)(rc.right * fx), (int)(rc.bottom * fy));
    pItem->Draw(pDC, &rc);
    if (bScreen) {
      CRectTracker tracker;
      SetupTracker(pItem, &tracker);
      tracker.Draw(pDC);
    }
  }
}

void CBrivanenDView::SetupTracker(CBrivanenDCntrItem* pItem, CRectTracker* pTracker) const {
  pTracker->m_rect = pItem->m_rect;
  pTracker->m_nStyle = CRectTracker::dottedLine;
  if (pItem == m_pSelection)
    pTracker->m_nStyle |= CRectTracker::resizeInside;
  if (pItem->IsOpen())
    pTracker->m_nStyle |= CRectTracker::hatchedBorder;
  if (pItem->IsInPlaceActive())
    pTracker->m_nStyle |= CRectTracker::hatchInside;
}

BOOL CBrivanenDView::IsSelected(const CObject* pDocItem) const {
  return pDocItem != nullptr && pDocItem == m_pSelection;
}

void CBrivanenDView::SetSelection(CBrivanenDCntrItem* pItem) {
  if (pItem == m_pSelection)
    return;
  // Another item taking the selection ends the in-place editing of the
  // one active here.
  if (CBrivanenDDoc* pDoc = GetDocument())
    pDoc->CloseInPlaceItem(this, pItem);
  if (CBrivanenDCntrItem* pOld = m_pSelection)
    pOld->InvalidateItem();
  m_pSelection = pItem;
  if (m_pSelection != nullptr)
    m_pSelection->InvalidateItem();
}

CBrivanenDCntrItem* CBrivanenDView::ItemAt(CPoint point) const {
  CBrivanenDDoc* pDoc = GetDocument();
  if (pDoc == nullptr)
    return nullptr;
  // The last drawn lies on top.
  CBrivanenDCntrItem* pHit = nullptr;
  POSITION pos = pDoc->GetStartPosition();
  while (COleClientItem* pClient = pDoc->GetNextClientItem(pos)) {
    auto* pItem = static_cast<CBrivanenDCntrItem*>(pClient);
    if (pItem->m_rect.PtInRect(point))
      pHit = pItem;
  }
  return pHit;
}

BOOL CBrivanenDView::TrackItem(CPoint point) {
  CBrivanenDCntrItem* pItem = ItemAt(point);
  SetSelection(pItem);
  if (pItem == nullptr)
    return FALSE;
  CRectTracker tracker;
  SetupTracker(pItem, &tracker);
  UpdateWindow();
  if (tracker.Track(this, point)) {
    pItem->InvalidateItem();
    pItem->m_rect = tracker.m_rect;
    pItem->m_rect.NormalizeRect();
    pItem->InvalidateItem();
    GetDocument()->SetModifiedFlag();
  }
  return TRUE;
}

void CBrivanenDView::ActivateSelection() {
  if (m_pSelection == nullptr)
    return;
  const LONG nVerb = (::GetKeyState(VK_CONTROL) & 0x8000) != 0 ? OLEIVERB_OPEN : OLEIVERB_PRIMARY;
  m_pSelection->DoVerb(nVerb, this);
}

BOOL CBrivanenDView::DeleteSelection() {
  CBrivanenDCntrItem* pItem = m_pSelection;
  if (pItem == nullptr)
    return FALSE;
  pItem->InvalidateItem();
  m_pSelection = nullptr;
  CBrivanenDDoc* pDoc = GetDocument();
  pItem->Delete();
  pDoc->UpdateAllViews(nullptr);
  return TRUE;
}

// An embedded object made from what the clipboard holds; a bare picture
// is left to the picture paste.
BOOL CBrivanenDView::PasteItem() {
  CBrivanenDDoc* pDoc = GetDocument();
  COleDataObject data;
  if (pDoc == nullptr || !data.AttachClipboard() || ::OleQueryCreateFromData(data.GetIDataObject()) != S_OK)
    return FALSE;
  CWaitCursor wait;
  auto* pItem = new CBrivanenDCntrItem(pDoc);
  if (!pItem->CreateFromData(&data)) {
    pItem->Delete();
    return FALSE;
  }
  pItem->UpdateFromServerExtent();
  SetSelection(pItem);
  Invalidate(FALSE);
  return TRUE;
}

void CBrivanenDView::OnSetFocus(CWnd*) {
  CBrivanenDDoc* pDoc = GetDocument();
  if (pDoc == nullptr || !pDoc->FocusInPlaceItem(this))
    Default();
}

void CBrivanenDView::OnDestroy() {
  CView::OnDestroy();
  if (CBrivanenDDoc* pDoc = GetDocument())
    pDoc->DeactivateInPlaceItem(this);
}

void CBrivanenDView::OnInsertObject() {
  CBrivanenDDoc* pDoc = GetDocument();
  if (pDoc == nullptr)
    return;
  COleInsertDialog dlg(IOF_SELECTCREATENEW, this);
  if (dlg.DoModal() != IDOK)
    return;
  CWaitCursor wait;
  auto* pItem = new CBrivanenDCntrItem(pDoc);
  if (!dlg.CreateItem(pItem)) {
    pItem->Delete();
    AfxMessageBox(IDP_ND_FAILED_TO_CREATE);
    return;
  }
  if (dlg.GetDrawAspect() != DVASPECT_ICON)
    pItem->DoVerb(OLEIVERB_SHOW, this);
  pItem->UpdateFromServerExtent();
  SetSelection(pItem);
  pDoc->UpdateAllViews(nullptr);
}

void CBrivanenDView::OnCancelEditCntr() {
  if (CBrivanenDDoc* pDoc = GetDocument())
    pDoc->CloseInPlaceItem(this);
}

void CBrivanenDView::OnCancelEditSrvr() {
  CBrivanenDDoc* pDoc = GetDocument();
  if (pDoc != nullptr && pDoc->IsInPlaceActive())
    pDoc->OnDeactivateUI(FALSE);
}
