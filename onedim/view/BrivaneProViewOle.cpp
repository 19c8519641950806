// The 1D view's OLE items: drawn over the spectra with their trackers,
// selected and dragged with the mouse, opened with a double click,
// inserted, pasted and deleted.
#include <cmath>

#include "framework/win/CmdUI.h"
#include "framework/win/Dc.h"
#include "framework/win/OleDataObject.h"
#include "framework/win/OleInsertDialog.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WaitCursor.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/view/BrivaneProCntrItem.h"
#include "onedim/plot/PrintSettings.h"
#include "onedim/view/BrivaneProView.h"
#include "resources/BrivaneRes.h"

void CBrivaneProView::OnDocItemRemoved(const CObject* pDocItem) {
  if (pDocItem == m_pSelection)
    m_pSelection = nullptr;
}

void CBrivaneProView::DrawItems(CDC* pDC, double fx, double fy, BOOL bScreen) {
  CBrivaneDocument* pDoc = GetDocument();
  const BOOL bPrinting = pDC->IsPrinting();
  const RECT& m = GetPrintSettings().rcMargins;
  POSITION pos = pDoc->GetStartPosition();
  while (COleClientItem* pClient = pDoc->GetNextClientItem(pos)) {
    auto* pItem = static_cast<CBrivaneProCntrItem*>(pClient);
    CRect rc = pItem->m_rect;
    if (!bScreen) {
      // The page or the picture: the view's rectangle scaled like the spectra.
      rc.SetRect((int)(rc.left * fx), (int)(rc.top * fy), (int)(rc.right * fx), (int)(rc.bottom * fy));
      if (bPrinting)
        rc.OffsetRect(m.left, m.top);
    }
    pItem->Draw(pDC, &rc);
    if (bScreen) {
      CRectTracker tracker;
      SetupTracker(pItem, &tracker);
      tracker.Draw(pDC);
    }
  }
}

void CBrivaneProView::SetupTracker(CBrivaneProCntrItem* pItem, CRectTracker* pTracker) const {
  pTracker->m_rect = pItem->m_rect;
  pTracker->m_nStyle = CRectTracker::solidLine;
  if (pItem == m_pSelection)
    pTracker->m_nStyle |= CRectTracker::resizeInside;
  // Open in its own window or active here: the frame is hatched.
  if (pItem->IsOpen() || pItem->IsInPlaceActive())
    pTracker->m_nStyle |= CRectTracker::hatchInside;
}

BOOL CBrivaneProView::IsSelected(const CObject* pDocItem) const {
  return pDocItem != nullptr && pDocItem == m_pSelection;
}

void CBrivaneProView::SetSelection(CBrivaneProCntrItem* pItem) {
  if (pItem == m_pSelection)
    return;
  // Another item taking the selection ends the in-place editing of the
  // one active here.
  if (CBrivaneDocument* pDoc = GetDocument())
    pDoc->CloseInPlaceItem(this, pItem);
  if (CBrivaneProCntrItem* pOld = m_pSelection)
    pOld->InvalidateItem();
  m_pSelection = pItem;
  if (m_pSelection != nullptr)
    m_pSelection->InvalidateItem();
}

CBrivaneProCntrItem* CBrivaneProView::ItemAt(CPoint point) const {
  CBrivaneDocument* pDoc = GetDocument();
  if (pDoc == nullptr)
    return nullptr;
  // The last drawn lies on top.
  CBrivaneProCntrItem* pHit = nullptr;
  POSITION pos = pDoc->GetStartPosition();
  while (COleClientItem* pClient = pDoc->GetNextClientItem(pos)) {
    auto* pItem = static_cast<CBrivaneProCntrItem*>(pClient);
    CRectTracker tracker;
    SetupTracker(pItem, &tracker);
    if (pItem->m_rect.PtInRect(point) || tracker.HitTest(point) != CRectTracker::hitNothing)
      pHit = pItem;
  }
  return pHit;
}

BOOL CBrivaneProView::TrackItem(CPoint point) {
  CBrivaneProCntrItem* pItem = ItemAt(point);
  if (pItem == nullptr)
    return FALSE;
  SetSelection(pItem);
  CRectTracker tracker;
  SetupTracker(pItem, &tracker);
  UpdateWindow();
  if (tracker.Track(this, point)) {
    pItem->InvalidateItem();
    pItem->m_rect = tracker.m_rect;
    pItem->InvalidateItem();
    GetDocument()->SetModifiedFlag();
  }
  return TRUE;
}

void CBrivaneProView::ActivateSelection() {
  if (m_pSelection == nullptr)
    return;
  const LONG nVerb = (::GetKeyState(VK_CONTROL) & 0x8000) != 0 ? OLEIVERB_OPEN : OLEIVERB_PRIMARY;
  m_pSelection->DoVerb(nVerb, this);
}

BOOL CBrivaneProView::DeleteSelection() {
  CBrivaneProCntrItem* pItem = m_pSelection;
  if (pItem == nullptr)
    return FALSE;
  pItem->InvalidateItem();
  m_pSelection = nullptr;
  CBrivaneDocument* pDoc = GetDocument();
  pItem->Delete();
  pDoc->SetModifiedFlag();
  pDoc->UpdateAllViews(nullptr);
  return TRUE;
}

void CBrivaneProView::RescaleItems(double dx, double dy) {
  CBrivaneDocument* pDoc = GetDocument();
  POSITION pos = pDoc->GetStartPosition();
  while (COleClientItem* pClient = pDoc->GetNextClientItem(pos)) {
    auto* pItem = static_cast<CBrivaneProCntrItem*>(pClient);
    CRect& rc = pItem->m_rect;
    // Both sides follow the width, so the item keeps its aspect. Rounded,
    // so that a view shrunk and grown back (an object's tool bar coming
    // and going) puts the item back where it was.
    const int nWidth = (int)std::lround(rc.Width() * dx);
    const int nHeight = (int)std::lround(rc.Height() * dx);
    rc.left = (int)std::lround(rc.left * dx);
    rc.top = (int)std::lround(rc.top * dy);
    rc.right = rc.left + nWidth;
    rc.bottom = rc.top + nHeight;
  }
}

BOOL CBrivaneProView::SetItemCursor(UINT nHitTest) {
  CPoint point;
  ::GetCursorPos(&point);
  ScreenToClient(&point);
  CBrivaneProCntrItem* pItem = ItemAt(point);
  if (pItem == nullptr)
    return FALSE;
  CRectTracker tracker;
  SetupTracker(pItem, &tracker);
  return tracker.SetCursor(this, nHitTest);
}

void CBrivaneProView::OnSetFocus(CWnd*) {
  CBrivaneDocument* pDoc = GetDocument();
  if (pDoc == nullptr || !pDoc->FocusInPlaceItem(this))
    Default();
}

void CBrivaneProView::OnDestroy() {
  if (CBrivaneDocument* pDoc = GetDocument())
    pDoc->DeactivateInPlaceItem(this);
  CView::OnDestroy();
}

void CBrivaneProView::OnInsertObject() {
  COleInsertDialog dlg(IOF_SELECTCREATENEW, this);
  if (dlg.DoModal() != IDOK)
    return;
  CWaitCursor wait;
  CBrivaneDocument* pDoc = GetDocument();
  auto* pItem = new CBrivaneProCntrItem(pDoc);
  if (!dlg.CreateItem(pItem)) {
    pItem->Delete();
    AfxMessageBox(IDP_FAILED_TO_CREATE);
    return;
  }
  if (dlg.GetDrawAspect() != DVASPECT_ICON)
    pItem->DoVerb(OLEIVERB_SHOW, this);
  pItem->UpdateFromServerExtent();
  SetSelection(pItem);
  pDoc->SetModifiedFlag();
  pDoc->UpdateAllViews(nullptr);
}

void CBrivaneProView::OnCancelEditCntr() {
  if (CBrivaneDocument* pDoc = GetDocument())
    pDoc->CloseInPlaceItem(this);
}

void CBrivaneProView::OnEditClear() {
  DeleteSelection();
}

void CBrivaneProView::OnUpdateEditClear(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pSelection != nullptr);
}

void CBrivaneProView::OnEditPaste() {
  COleDataObject data;
  if (!data.AttachClipboard())
    return;
  CWaitCursor wait;
  CBrivaneDocument* pDoc = GetDocument();
  auto* pItem = new CBrivaneProCntrItem(pDoc);
  // An object where the data holds one, else a picture of the data.
  const HRESULT hr = ::OleQueryCreateFromData(data.GetIDataObject());
  const BOOL bCreated =
      hr == S_OK ? pItem->CreateFromData(&data) : hr == OLE_S_STATIC && pItem->CreateStaticFromData(&data);
  if (!bCreated) {
    pItem->Delete();
    AfxMessageBox(IDP_FAILED_TO_CREATE);
    return;
  }
  pItem->UpdateFromServerExtent();
  SetSelection(pItem);
  pDoc->SetModifiedFlag();
  pDoc->UpdateAllViews(nullptr);
}
