// The graph view's mouse tools and keys: what a press, a drag, a release
// and a double click do in each mouse mode of the document.
#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "framework/win/Dc.h"
#include "framework/win/Menu.h"
#include "framework/win/RectTracker.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/BrivanenDView.h"
#include "ndim/app/ClipboardPicture.h"
#include "ndim/data/IntegrationBlock.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/dialogs/NdReferenceDialog.h"
#include "ndim/dialogs/ReferenceIntegralDialog.h"
#include "ndim/plot/NdAxisTicks.h"
#include "ndim/plot/NdViewGeometry.h"
#include "resources/BrivanenDRes.h"

namespace {

const UINT kTrackerStyle = CRectTracker::dottedLine | CRectTracker::resizeInside;
const int kEdgeReach = 3;  // pixels either side of a strip edge that take it

// Pane 0 of the main frame's status bar, written and shown at once.
void SetStatusText(LPCSTR lpszText) {
  CWnd* pMain = AfxGetMainWnd();
  HWND hBar = pMain != nullptr && pMain->m_hWnd != nullptr ? ::GetDlgItem(pMain->m_hWnd, AFX_IDW_STATUS_BAR) : nullptr;
  if (hBar == nullptr)
    return;
  ::SetWindowTextA(hBar, lpszText);
  ::UpdateWindow(hBar);
}

// Near the top strip's top edge (mode 4) or the side strip's left edge
// (mode 5) of a set showing its slices; 0 elsewhere.
int StripEdgeAt(const CSpectrum2D& set, CPoint point) {
  if (!set.m_bSliceDisplay)
    return ndMouseNone;
  const CRect& top = set.m_traceF2.m_rect;
  const CRect& side = set.m_traceF1.m_rect;
  if (point.x >= top.left && point.x < top.right && std::abs(point.y - top.top) <= kEdgeReach)
    return ndMouseTopStripEdge;
  if (point.y >= side.top && point.y < side.bottom && std::abs(point.x - side.left) <= kEdgeReach)
    return ndMouseSideStripEdge;
  return ndMouseNone;
}

UINT CursorOfMode(int nMode) {
  switch (nMode) {
    case ndMouseReferenceF1:
      return IDC_CURSOR_REFERENCE_F1;
    case ndMouseReferenceF2:
      return IDC_CURSOR_REFERENCE_F2;
    case ndMouseIntegrate:
      return IDC_CURSOR_INTEGRATE;
    case ndMousePick1D:
      return IDC_CURSOR_PICK_1D;
    case ndMousePick2D:
      return IDC_CURSOR_PICK_2D;
    default:
      return 0;
  }
}

void SetResourceCursor(UINT nID) {
  HCURSOR hCursor = nID != 0 ? ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID)) : nullptr;
  ::SetCursor(hCursor != nullptr ? hCursor : ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW));
}

// A tracked rectangle as a region or picture keeps it.
RECT Normalized(const CRectTracker& tracker) {
  CRect rect = tracker.m_rect;
  rect.NormalizeRect();
  return rect;
}

// The first item of the list (regions or pictures) that the tracker, put
// on its rectangle, hits at point: moved to the head of the list. Null when
// none is hit.
template <class T>
T* BringHitToHead(CObList& list, CRectTracker& tracker, CPoint point) {
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
    const POSITION at = pos;
    T* pItem = static_cast<T*>(list.GetNext(pos));
    tracker.m_rect = pItem->m_rect;
    if (tracker.HitTest(point) == CRectTracker::hitNothing)
      continue;
    list.RemoveAt(at);
    list.AddHead(pItem);
    return pItem;
  }
  return nullptr;
}

}  // namespace

// --- Selection of regions and pictures ---

// The region under the tracker or under the point becomes the head of the
// list and follows the drag. FALSE when no region was hit.
BOOL CBrivanenDView::SelectRegion(CPoint point) {
  CBrivanenDDoc* pDoc = GetDocument();
  CSpectrum2D* pSet = pDoc->GetCurrentSet();
  if (pSet == nullptr || pSet->m_regions.IsEmpty())
    return FALSE;
  CIntegrationBlock* pHead = static_cast<CIntegrationBlock*>(pSet->m_regions.GetHead());
  CRectTracker tracker(&pHead->m_rect, kTrackerStyle);
  if (tracker.HitTest(point) != CRectTracker::hitNothing) {
    tracker.Track(this, point);
    pHead->m_rect = Normalized(tracker);
    Invalidate(FALSE);
    return TRUE;
  }
  CIntegrationBlock* pRegion = BringHitToHead<CIntegrationBlock>(pSet->m_regions, tracker, point);
  if (pRegion == nullptr)
    return FALSE;
  Invalidate(FALSE);
  UpdateWindow();
  tracker.Track(this, point);
  pRegion->m_rect = Normalized(tracker);
  Invalidate(FALSE);
  return TRUE;
}

// The same for the pasted pictures, with the document's picture tracker.
BOOL CBrivanenDView::SelectPicture(CPoint point) {
  CBrivanenDDoc* pDoc = GetDocument();
  if (pDoc->m_pictures.IsEmpty())
    return FALSE;
  CClipboardPicture* pHead = static_cast<CClipboardPicture*>(pDoc->m_pictures.GetHead());
  if (pDoc->m_pPictureTracker == nullptr)
    pDoc->m_pPictureTracker = new CRectTracker(&pHead->m_rect, kTrackerStyle);
  CRectTracker& tracker = *pDoc->m_pPictureTracker;
  if (tracker.HitTest(point) != CRectTracker::hitNothing) {
    if (tracker.Track(this, point))
      pHead->m_rect = Normalized(tracker);
    pDoc->m_bPictureSelected = 1;
    Invalidate(FALSE);
    return TRUE;
  }
  CClipboardPicture* pPicture = BringHitToHead<CClipboardPicture>(pDoc->m_pictures, tracker, point);
  if (pPicture == nullptr) {
    tracker.m_rect = pHead->m_rect;
    return FALSE;
  }
  pDoc->m_bPictureSelected = 1;
  Invalidate(FALSE);
  UpdateWindow();
  if (tracker.Track(this, point))
    pPicture->m_rect = Normalized(tracker);
  Invalidate(FALSE);
  return TRUE;
}

// --- Press ---

void CBrivanenDView::OnLButtonDown(UINT nFlags, CPoint point) {
  CBrivanenDDoc* pDoc = GetDocument();
  CSpectrum2D* pSet = pDoc != nullptr ? pDoc->GetCurrentSet() : nullptr;
  SetFocus();
  m_ptDown = point;
  // An OLE item under the point takes the click before any mouse tool.
  if (pDoc != nullptr && TrackItem(point)) {
    Default();
    return;
  }
  if (pSet == nullptr) {
    Default();
    return;
  }
  const BOOL bInPlot = pSet->m_plotRect.PtInRect(point);
  switch (pDoc->m_nMouseMode) {
    case ndMouseNone: {
      if (SelectRegion(point) || SelectPicture(point))
        break;
      const int nEdge = StripEdgeAt(*pSet, point);
      if (bInPlot)
        StartCrosshair(point);
      else if (nEdge != ndMouseNone)
        StartEdgeDrag(point, nEdge);
      break;
    }
    case ndMouseZoom:
      if (!SelectRegion(point) && !SelectPicture(point) && bInPlot)
        ZoomBand(point);
      break;
    case ndMouseSelectSpectrum:
      SelectSpectrum(point);
      break;
    case ndMouseReferenceF1:
    case ndMouseReferenceF2:
      ReferenceAxis(point, pDoc->m_nMouseMode);
      break;
    case ndMouseIntegrate:
      if (!SelectRegion(point))
        AddRegion(point);
      break;
    case ndMousePick1D:
      PickTracePoint(point);
      break;
    case ndMousePick2D:
      PickMapPoint(point);
      break;
    default:
      break;
  }
  (void)nFlags;
  Default();
}

void CBrivanenDView::StartCrosshair(CPoint point) {
  CSpectrum2D* pSet = GetDocument()->GetCurrentSet();
  SetCapture();
  m_bCaptured = TRUE;
  CRect clip = pSet->m_plotRect;
  ClientToScreen(&clip);
  ::ClipCursor(&clip);
  DrawCrosshair(point);
  m_bCrosshair = TRUE;
  m_ptCrosshair = point;
  UpdateCursorPosition(point);
}

// Dotted lines through the point across the plot, inverting: drawn again
// at the same place they vanish.
void CBrivanenDView::DrawCrosshair(CPoint point) {
  const CRect plot = GetDocument()->GetCurrentSet()->m_plotRect;
  CClientDC dc(this);
  CPen pen(PS_DOT, 1, RGB(0, 0, 0));
  CSelectGuard penGuard(dc, &pen);
  const int nOldRop = dc.SetROP2(R2_NOTXORPEN);
  const int nOldMode = dc.SetBkMode(TRANSPARENT);
  dc.MoveTo(point.x, plot.top);
  dc.LineTo(point.x, plot.bottom);
  dc.MoveTo(plot.left, point.y);
  dc.LineTo(plot.right, point.y);
  dc.SetBkMode(nOldMode);
  dc.SetROP2(nOldRop);
}

void CBrivanenDView::StartEdgeDrag(CPoint, int nMode) {
  CBrivanenDDoc* pDoc = GetDocument();
  const CSpectrum2D* pSet = pDoc->GetCurrentSet();
  pDoc->m_nMouseMode = nMode;
  SetCapture();
  m_bCaptured = TRUE;
  m_nGuide = nMode == ndMouseTopStripEdge ? pSet->m_traceF2.m_rect.top : pSet->m_traceF1.m_rect.left;
  DrawEdgeGuide(m_nGuide);
  m_bGuide = TRUE;
}

// An inverted line along the edge being dragged, across the plot.
void CBrivanenDView::DrawEdgeGuide(int nPosition) {
  CBrivanenDDoc* pDoc = GetDocument();
  const CRect plot = pDoc->GetCurrentSet()->m_plotRect;
  CClientDC dc(this);
  CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
  CSelectGuard penGuard(dc, &pen);
  const int nOldRop = dc.SetROP2(R2_NOTXORPEN);
  if (pDoc->m_nMouseMode == ndMouseTopStripEdge) {
    dc.MoveTo(plot.left, nPosition);
    dc.LineTo(plot.right, nPosition);
  } else {
    dc.MoveTo(nPosition, plot.top);
    dc.LineTo(nPosition, plot.bottom);
  }
  dc.SetROP2(nOldRop);
}

// Ends a crosshair or edge drag without applying it: the lines are wiped,
// the cursor freed.
void CBrivanenDView::EndDrag() {
  if (m_bCrosshair) {
    m_bCrosshair = FALSE;
    DrawCrosshair(m_ptCrosshair);
  }
  if (m_bGuide) {
    m_bGuide = FALSE;
    DrawEdgeGuide(m_nGuide);
  }
  ::ClipCursor(nullptr);
  // Cleared first: the capture's loss then finds nothing to end.
  const BOOL bCaptured = m_bCaptured;
  m_bCaptured = FALSE;
  if (bCaptured && GetCapture() == this)
    ReleaseCapture();
}

// The slices follow the cursor, and its position shows in the status bar.
void CBrivanenDView::UpdateCursorPosition(CPoint point) {
  CBrivanenDDoc* pDoc = GetDocument();
  CSpectrum2D* pSet = pDoc->GetCurrentSet();
  const NdMatrix m = MatrixOf(*pSet);
  const CPoint p = pSet->PixelToPoint(point.x, point.y);
  if (m.IsEmpty() || p.x < 0 || p.y < 0)
    return;
  // The plot's far edges map one past the last point: the slices stay on
  // the data.
  pSet->m_nSelectedColumn = std::min<int>(p.x, m.nColumns - 1);
  pSet->m_nSelectedRow = std::min<int>(p.y, m.nRows - 1);
  InvalidateRect(&pSet->m_traceF2.m_rect);
  InvalidateRect(&pSet->m_traceF1.m_rect);
  SetStatusText(FormatNdCursorReadout(*pSet, pSet->m_nSelectedColumn, pSet->m_nSelectedRow).c_str());
}

void CBrivanenDView::ZoomBand(CPoint point) {
  CSpectrum2D* pSet = GetDocument()->GetCurrentSet();
  CRect clip = pSet->m_plotRect;
  ClientToScreen(&clip);
  ::ClipCursor(&clip);
  CRectTracker tracker(CRect(point, CSize(10, 10)), CRectTracker::solidLine);
  tracker.TrackRubberBand(this, point, TRUE);
  ::ClipCursor(nullptr);
  RECT window;
  if (!ZoomWindowFromBand(*pSet, Normalized(tracker), window))
    return;
  pSet->m_zoom = window;
  Invalidate(FALSE);
}

void CBrivanenDView::SelectSpectrum(CPoint point) {
  CSpectrum2D* pSet = GetDocument()->GetCurrentSet();
  CRectTracker tracker(&pSet->m_plotRect, kTrackerStyle);
  if (tracker.HitTest(point) != CRectTracker::hitNothing) {
    ReleaseCapture();
    if (tracker.Track(this, point))
      pSet->SetPlotRect(Normalized(tracker));
    Invalidate(FALSE);
  }
  const BYTE bShow = pSet->m_plotRect.PtInRect(point) ? 1 : 0;
  if (bShow != pSet->m_bShowTracker || !bShow)
    Invalidate(FALSE);
  pSet->m_bShowTracker = bShow;
}

// The clicked point's shift is offered in the nD Reference dialog; what
// comes back moves that axis's reference.
void CBrivanenDView::ReferenceAxis(CPoint point, int nMode) {
  CBrivanenDDoc* pDoc = GetDocument();
  CSpectrum2D* pSet = pDoc->GetCurrentSet();
  const CPoint p = pSet->PixelToPoint(point.x, point.y);
  DimensionBlock& dim = pSet->m_dims[nMode == ndMouseReferenceF1 ? 1 : 2];
  const double ppm = NdAxisValue(dim, nMode == ndMouseReferenceF1 ? p.y : p.x, ND_UNITS_PPM);
  CString shift;
  shift.Format("%.3lf", ppm);
  const BOOL bOk = AskReference(shift, nMode == ndMouseReferenceF1 ? "Ref. Col" : "Ref. Row");
  // The tool acts once, whatever the answer: the dialog took the button's
  // release, which would otherwise have ended it.
  pDoc->m_nMouseMode = ndMouseNone;
  if (!bOk)
    return;
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(shift, &end);
  if (end == (const char*)shift || errno != 0)
    return;  // no number: the reference stays
  MoveAxisReference(dim, ppm, value);
  pDoc->SetModifiedFlag();
  pDoc->UpdateAllViews(nullptr);
}

BOOL CBrivanenDView::AskReference(CString& shift, LPCSTR lpszLabel) {
  CNdReferenceDialog dialog(AfxGetMainWnd());
  dialog.m_strShift = shift;
  dialog.m_strLabel = lpszLabel;
  if (dialog.DoModal() != IDOK)
    return FALSE;
  shift = dialog.m_strShift;
  return TRUE;
}

void CBrivanenDView::AddRegion(CPoint point) {
  CBrivanenDDoc* pDoc = GetDocument();
  CSpectrum2D* pSet = pDoc->GetCurrentSet();
  CRectTracker tracker(CRect(point, CSize(10, 10)), CRectTracker::solidLine);
  if (!tracker.TrackRubberBand(this, point, TRUE))
    return;  // no area: no region
  CIntegrationBlock* pRegion =
      pSet->m_nIntegrationShape == 1 ? static_cast<CIntegrationBlock*>(new CElipBlock) : new CRectBlock;
  pRegion->m_rect = Normalized(tracker);
  pSet->m_regions.AddHead(pRegion);
  if (pSet->m_regions.GetCount() == 1)
    pSet->m_pReferenceRegion = pRegion;
  pDoc->SetModifiedFlag();
  pDoc->UpdateAllViews(nullptr);
}

void CBrivanenDView::PickTracePoint(CPoint point) {
  CSpectrum2D* pSet = GetDocument()->GetCurrentSet();
  if (pSet->m_traceF2.m_rect.PtInRect(point)) {
    pSet->m_bWhichTrace = 1;
    pSet->m_loadedF2.m_nWizardFirst = ::PickRowTracePoint(*pSet, point.x);
  } else if (pSet->m_traceF1.m_rect.PtInRect(point)) {
    pSet->m_bWhichTrace = 0;
  }
}

void CBrivanenDView::PickMapPoint(CPoint point) {
  CSpectrum2D* pSet = GetDocument()->GetCurrentSet();
  const CPoint p = pSet->PixelToPoint(point.x, point.y);
  if (pSet->m_bWhichTrace)
    pSet->m_loadedF2.m_nWizardSecond = p.x;
  else
    pSet->m_loadedF1.m_nWizardSecond = p.y;
}

// --- Move and release ---

void CBrivanenDView::OnMouseMove(UINT nFlags, CPoint point) {
  CBrivanenDDoc* pDoc = GetDocument();
  CSpectrum2D* pSet = pDoc != nullptr ? pDoc->GetCurrentSet() : nullptr;
  SetStatusText("");
  if (pSet != nullptr && m_bCaptured) {
    const CRect plot = pSet->m_plotRect;
    if (m_bCrosshair) {
      // The cursor is held in the plot; a point from before the hold is
      // kept in it too.
      point.x = std::clamp<LONG>(point.x, plot.left, std::max<LONG>(plot.left, plot.right - 1));
      point.y = std::clamp<LONG>(point.y, plot.top, std::max<LONG>(plot.top, plot.bottom - 1));
      DrawCrosshair(m_ptCrosshair);
      DrawCrosshair(point);
      m_ptCrosshair = point;
      UpdateCursorPosition(point);
    } else if (m_bGuide) {
      DrawEdgeGuide(m_nGuide);
      m_nGuide = pDoc->m_nMouseMode == ndMouseTopStripEdge ? LimitStripEdge(point.y, plot.top)
                                                           : LimitStripEdge(point.x, plot.left);
      DrawEdgeGuide(m_nGuide);
    }
  }
  (void)nFlags;
  Default();
}

void CBrivanenDView::OnLButtonUp(UINT nFlags, CPoint point) {
  CBrivanenDDoc* pDoc = GetDocument();
  CSpectrum2D* pSet = pDoc != nullptr ? pDoc->GetCurrentSet() : nullptr;
  if (pDoc == nullptr) {
    Default();
    return;
  }
  const int nMode = pDoc->m_nMouseMode;
  if (nMode == ndMouseTopStripEdge || nMode == ndMouseSideStripEdge) {
    const BOOL bDragging = m_bGuide;
    EndDrag();
    if (bDragging && pSet != nullptr) {
      if (nMode == ndMouseTopStripEdge)
        pSet->m_traceF2.m_rect.top = LimitStripEdge(point.y, pSet->m_plotRect.top);
      else
        pSet->m_traceF1.m_rect.left = LimitStripEdge(point.x, pSet->m_plotRect.left);
    }
    pDoc->m_nMouseMode = ndMouseNone;
    Invalidate(FALSE);
  } else if (nMode == ndMouseNone) {
    EndDrag();
  } else {
    pDoc->m_nMouseMode = ndMouseNone;  // the other tools act once
  }
  (void)nFlags;
  Default();
}

// Whoever takes the mouse away ends a drag: a strip edge stays where it
// was.
void CBrivanenDView::OnCaptureChanged(CWnd* pWnd) {
  if (pWnd != this && m_bCaptured) {
    CBrivanenDDoc* pDoc = GetDocument();
    EndDrag();
    if (pDoc != nullptr && (pDoc->m_nMouseMode == ndMouseTopStripEdge || pDoc->m_nMouseMode == ndMouseSideStripEdge))
      pDoc->m_nMouseMode = ndMouseNone;
  }
  Default();
}

// --- Double click, right button, cursor ---

void CBrivanenDView::OnLButtonDblClk(UINT nFlags, CPoint point) {
  OnLButtonDown(nFlags, point);
  ActivateSelection();
  CBrivanenDDoc* pDoc = GetDocument();
  CSpectrum2D* pSet = pDoc != nullptr ? pDoc->GetCurrentSet() : nullptr;
  if (pSet == nullptr || pSet->m_regions.IsEmpty())
    return;
  CIntegrationBlock* pHead = static_cast<CIntegrationBlock*>(pSet->m_regions.GetHead());
  if (CRectTracker(&pHead->m_rect, kTrackerStyle).HitTest(point) == CRectTracker::hitNothing)
    return;
  CReferenceIntegralDialog dialog(this);
  dialog.m_dValue = pSet->m_dReferenceIntegral;
  if (dialog.DoModal() != IDOK)
    return;
  pSet->m_dReferenceIntegral = dialog.m_dValue;
  pSet->m_pReferenceRegion = pHead;
  pDoc->SetModifiedFlag();
  pDoc->UpdateAllViews(nullptr);
}

void CBrivanenDView::OnRButtonDown(UINT nFlags, CPoint point) {
  CBrivanenDDoc* pDoc = GetDocument();
  const CSpectrum2D* pSet = pDoc != nullptr ? pDoc->GetCurrentSet() : nullptr;
  const BOOL bTop = pSet != nullptr && pSet->m_traceF2.m_rect.PtInRect(point);
  const BOOL bSide = pSet != nullptr && !bTop && pSet->m_traceF1.m_rect.PtInRect(point);
  CMenu menu;
  if ((!bTop && !bSide) || !menu.CreatePopupMenu()) {
    Default();
    return;
  }
  if (bTop) {
    menu.AppendMenu(MF_STRING, ID_TRACES_ADD_COLUMN, "Add Column to List");
    menu.AppendMenu(MF_STRING, ID_TRACES_LOAD_COLUMN, "Load Column");
  } else {
    menu.AppendMenu(MF_STRING, ID_TRACES_ADD_ROW, "Add Row to List");
    menu.AppendMenu(MF_STRING, ID_TRACES_LOAD_ROW, "Load Row");
  }
  CPoint screen = point;
  ClientToScreen(&screen);
  menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
  (void)nFlags;
}

BOOL CBrivanenDView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  CBrivanenDDoc* pDoc = GetDocument();
  const CSpectrum2D* pSet = pDoc != nullptr ? pDoc->GetCurrentSet() : nullptr;
  if (nHitTest != HTCLIENT || pSet == nullptr)
    return (BOOL)Default();
  CPoint point;
  ::GetCursorPos(&point);
  ScreenToClient(&point);
  const BOOL bInPlot = pSet->m_plotRect.PtInRect(point);
  switch (pDoc->m_nMouseMode) {
    case ndMouseNone: {
      const int nEdge = StripEdgeAt(*pSet, point);
      LPCSTR lpszCursor = nEdge == ndMouseTopStripEdge    ? (LPCSTR)IDC_SIZENS
                          : nEdge == ndMouseSideStripEdge ? (LPCSTR)IDC_SIZEWE
                                                          : (LPCSTR)IDC_ARROW;
      ::SetCursor(::LoadCursorA(nullptr, lpszCursor));
      return TRUE;
    }
    case ndMouseZoom:
      SetResourceCursor(bInPlot ? IDC_CURSOR_ZOOM : 0);
      return TRUE;
    case ndMouseSelectSpectrum:
      SetResourceCursor(bInPlot ? IDC_CURSOR_SELECT : 0);
      return TRUE;
    default:
      if (CursorOfMode(pDoc->m_nMouseMode) == 0)
        return (BOOL)Default();
      SetResourceCursor(CursorOfMode(pDoc->m_nMouseMode));
      (void)pWnd;
      (void)message;
      return TRUE;
  }
}

// --- Keys ---

// Escape lets go of the picture and the tool, then goes on.
BOOL CBrivanenDView::PreTranslateMessage(MSG* pMsg) {
  CBrivanenDDoc* pDoc = GetDocument();
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && pDoc != nullptr) {
    pDoc->m_bPictureSelected = 0;
    pDoc->m_nMouseMode = ndMouseNone;
    Invalidate(FALSE);
  }
  return CView::PreTranslateMessage(pMsg);
}

void CBrivanenDView::DeleteHeadRegion() {
  CBrivanenDDoc* pDoc = GetDocument();
  CSpectrum2D* pSet = pDoc->GetCurrentSet();
  if (pSet == nullptr || pSet->m_regions.IsEmpty())
    return;
  delete pSet->m_regions.RemoveHead();
  // The tracker moves to the next region, which becomes the reference.
  pSet->m_pReferenceRegion =
      pSet->m_regions.IsEmpty() ? nullptr : static_cast<CIntegrationBlock*>(pSet->m_regions.GetHead());
  pDoc->UpdateAllViews(nullptr);
}

void CBrivanenDView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  CBrivanenDDoc* pDoc = GetDocument();
  if (pDoc == nullptr) {
    Default();
    return;
  }
  switch (nChar) {
    case VK_SPACE:
      pDoc->m_bNoRedraw = 1;
      break;
    case VK_SHIFT:
      pDoc->m_nSavedMouseMode = pDoc->m_nMouseMode;
      pDoc->m_nMouseMode = ndMouseSelectSpectrum;
      SendMessage(WM_SETCURSOR, (WPARAM)m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
      break;
    case VK_DELETE:
      DeleteHeadRegion();
      break;
    default:
      Default();
      break;
  }
  (void)nRepCnt;
  (void)nFlags;
}

void CBrivanenDView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  CBrivanenDDoc* pDoc = GetDocument();
  if (pDoc != nullptr && nChar == VK_SPACE) {
    pDoc->m_bNoRedraw = 0;
    Invalidate(FALSE);
  } else if (pDoc != nullptr && nChar == VK_SHIFT) {
    pDoc->m_nMouseMode = ndMouseNone;
    SendMessage(WM_SETCURSOR, (WPARAM)m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
  (void)nRepCnt;
  (void)nFlags;
  Default();
}
