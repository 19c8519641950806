#include "ndim/app/BrivanenDView.h"

#include <cstdio>

#include "framework/win/Clipboard.h"
#include "framework/win/CmdUI.h"
#include "framework/win/Dc.h"
#include "framework/win/MDIFrameWnd.h"
#include "framework/win/MetaFileDC.h"
#include "framework/win/PrintDialog.h"
#include "framework/win/RectTracker.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"
#include "ndim/app/BrivanenDCntrItem.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/ClipboardPicture.h"
#include "ndim/data/IntegrationBlock.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/plot/NdViewGeometry.h"
#include "ndim/view/IntegrationBlockDraw.h"
#include "resources/BrivanenDRes.h"

IMPLEMENT_DYNCREATE(CBrivanenDView, CView)

BEGIN_MESSAGE_MAP(CBrivanenDView, CView)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONDOWN()
  ON_WM_SETCURSOR()
  ON_WM_CAPTURECHANGED()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_MESSAGE(MM_WOM_DONE, OnWaveDone)
  ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
  ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
  ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
  ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateEditClear)
  ON_COMMAND(ID_VIEW_MAGNIFY, OnViewMagnify)
  ON_UPDATE_COMMAND_UI(ID_VIEW_MAGNIFY, OnUpdateViewMagnify)
  ON_COMMAND(ID_VIEW_DOUBLE_BUFFERING, OnViewDoubleBuffering)
  ON_UPDATE_COMMAND_UI(ID_VIEW_DOUBLE_BUFFERING, OnUpdateViewDoubleBuffering)
  ON_COMMAND(ID_PROCESS_PLAY, OnPlay)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_PLAY, OnUpdatePlay)
  ON_COMMAND(ID_PROCESS_STOP, OnStop)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_STOP, OnUpdateStop)
  ON_WM_SETFOCUS()
  ON_WM_DESTROY()
  ON_COMMAND(ID_OLE_INSERT_NEW, OnInsertObject)
  ON_COMMAND(ID_ND_CANCEL_EDIT_CNTR, OnCancelEditCntr)
  ON_COMMAND(ID_ND_CANCEL_EDIT_SRVR, OnCancelEditSrvr)
END_MESSAGE_MAP()

namespace {

// The clipboard picture is this many units wide, as high as the screen's
// aspect makes it.
const int kPictureWidth = 6000;
// Dotted line, handles inside: the trackers of regions and pictures.
const UINT kTrackerStyle = CRectTracker::dottedLine | CRectTracker::resizeInside;

void ApplyFactors(CSpectrum2D& set, double fx, double fy) {
  set.m_dPrintFactorX = set.m_axis.m_dPrintFactorX = fx;
  set.m_dPrintFactorY = set.m_axis.m_dPrintFactorY = fy;
}

}  // namespace

CBrivanenDView::CBrivanenDView() {
  m_magnifier.m_nMagnification = 40;
  m_magnifier.m_nSize = 255;
}

CBrivanenDView::~CBrivanenDView() = default;

CBrivanenDDoc* CBrivanenDView::GetDocument() const {
  CDocument* pDoc = CView::GetDocument();
  return pDoc != nullptr && pDoc->IsKindOf(RUNTIME_CLASS(CBrivanenDDoc)) ? static_cast<CBrivanenDDoc*>(pDoc) : nullptr;
}

void CBrivanenDView::OnInitialUpdate() {
  CView::OnInitialUpdate();
  if (m_magnifier.m_hWnd == nullptr && m_magnifier.Create(this, this, IDC_CURSOR_ND_MAGNIFIER, WS_CLIPCHILDREN))
    m_magnifier.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CBrivanenDView::OnUpdate(CView*, LPARAM lHint, CObject* pHint) {
  if (m_hWnd == nullptr)
    return;
  if (lHint == 0) {
    Invalidate(TRUE);
  } else if (lHint == 1 && pHint != nullptr && pHint->IsKindOf(RUNTIME_CLASS(CBrivanenDCntrItem))) {
    CRectTracker tracker;
    SetupTracker(static_cast<CBrivanenDCntrItem*>(pHint), &tracker);
    CRect rc;
    tracker.GetTrueRect(&rc);
    InvalidateRect(&rc);
  }
}

// Only while a document window is active: a view activated as the last
// window closes has no frame left to tell.
void CBrivanenDView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
  CWnd* pMain = AfxGetMainWnd();
  if (pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) &&
      static_cast<CMDIFrameWnd*>(pMain)->MDIGetActive() != nullptr)
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

// --- Painting ---

void CBrivanenDView::OnPaint() {
  CPaintDC dc(this);
  CBrivanenDDoc* pDoc = GetDocument();
  // A plot the update region misses keeps its pixels: when only the strips
  // follow the cursor, the plot is not drawn again.
  if (pDoc != nullptr)
    for (POSITION pos = pDoc->m_dataSets.GetHeadPosition(); pos != nullptr;) {
      CSpectrum2D* pSet = static_cast<CSpectrum2D*>(pDoc->m_dataSets.GetNext(pos));
      if (pSet != nullptr && !dc.RectVisible(&pSet->m_plotRect))
        pSet->m_bPlotDirty = 0;
    }
  CRect clip;
  dc.GetClipBox(&clip);
  CDC memory;
  CBitmap bitmap;
  if (m_bDoubleBuffering && !clip.IsRectEmpty() && memory.CreateCompatibleDC(&dc) &&
      bitmap.CreateCompatibleBitmap(&dc, clip.Width(), clip.Height())) {
    CSelectGuard bitmapGuard(memory, &bitmap);
    memory.SetWindowOrg(clip.left, clip.top);
    OnDraw(&memory);
    dc.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &memory, clip.left, clip.top, SRCCOPY);
  } else {
    OnDraw(&dc);
  }
  if (pDoc != nullptr)
    for (POSITION pos = pDoc->m_dataSets.GetHeadPosition(); pos != nullptr;) {
      CSpectrum2D* pSet = static_cast<CSpectrum2D*>(pDoc->m_dataSets.GetNext(pos));
      if (pSet != nullptr)
        pSet->m_bPlotDirty = 1;
    }
}

void CBrivanenDView::OnDraw(CDC* pDC) {
  CRect clip;
  pDC->GetClipBox(&clip);
  pDC->PatBlt(clip.left, clip.top, clip.Width(), clip.Height(), WHITENESS);
  if (GetDocument() == nullptr)
    return;
  double fx = 1.0, fy = 1.0;
  const BOOL bPrinting = pDC->IsPrinting();
  if (bPrinting) {
    CRect client;
    GetClientRect(&client);
    if (client.Width() > 0 && client.Height() > 0) {
      fx = (double)pDC->GetDeviceCaps(HORZRES) / client.Width();
      fy = (double)pDC->GetDeviceCaps(VERTRES) / client.Height();
    }
  }
  DrawDocument(pDC, fx, fy, !bPrinting);
  // The screen's factors come back for the next paint.
  if (bPrinting)
    DrawDocument(nullptr, 1.0, 1.0, FALSE);
}

// With no DC only the factors are given.
void CBrivanenDView::DrawDocument(CDC* pDC, double fx, double fy, BOOL bScreen) {
  CBrivanenDDoc* pDoc = GetDocument();
  for (POSITION pos = pDoc->m_dataSets.GetHeadPosition(); pos != nullptr;) {
    CSpectrum2D* pSet = static_cast<CSpectrum2D*>(pDoc->m_dataSets.GetNext(pos));
    if (pSet == nullptr)
      return;
    ApplyFactors(*pSet, fx, fy);
    if (pDC == nullptr)
      continue;
    pSet->Draw(pDC);
    for (POSITION r = pSet->m_regions.GetHeadPosition(); r != nullptr;) {
      CIntegrationBlock* pRegion = static_cast<CIntegrationBlock*>(pSet->m_regions.GetNext(r));
      DrawIntegrationBlock(*pRegion, pDC, *pSet);
      DrawIntegrationLabel(*pRegion, pDC, *pSet);
    }
    if (bScreen && !pSet->m_regions.IsEmpty()) {
      const CIntegrationBlock* pHead = static_cast<CIntegrationBlock*>(pSet->m_regions.GetHead());
      CRectTracker(&pHead->m_rect, kTrackerStyle).Draw(pDC);
    }
  }
  if (pDC == nullptr)
    return;
  CSpectrum2D* pCurrent = pDoc->GetCurrentSet();
  for (POSITION pos = pDoc->m_pictures.GetHeadPosition(); pos != nullptr;) {
    const CClipboardPicture* pPicture = static_cast<CClipboardPicture*>(pDoc->m_pictures.GetNext(pos));
    RECT rect = pPicture->m_rect;
    if (pCurrent != nullptr)
      pCurrent->ScaleRect(rect);
    pPicture->Play(pDC, rect);
  }
  if (bScreen && pDoc->m_bPictureSelected && pDoc->m_pPictureTracker != nullptr)
    pDoc->m_pPictureTracker->Draw(pDC);
  DrawItems(pDC, fx, fy, bScreen);
  if (pDoc->m_bShowGrid && pCurrent != nullptr)
    DrawGrid(pDC, *pCurrent);
}

// Black dots every sy pixels along lines sx apart, both ways: a plot too
// small for a step has no grid.
void CBrivanenDView::DrawGrid(CDC* pDC, const CSpectrum2D& set) {
  RECT plot = set.m_plotRect;
  set.ScaleRect(plot);
  const int sx = (plot.right - plot.left) / 20;
  const int sy = (int)((plot.bottom - plot.top) * 0.01);
  if (sx <= 0 || sy <= 0)
    return;
  const COLORREF black = RGB(0, 0, 0);
  for (int x = plot.left + sx; x < plot.right; x += sx)
    for (int y = plot.top; y < plot.bottom; y += sy)
      pDC->SetPixel(x, y, black);
  for (int y = plot.top + sx; y < plot.bottom; y += sx)
    for (int x = plot.left; x < plot.right; x += sy)
      pDC->SetPixel(x, y, black);
}

void CBrivanenDView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  if (m_magnifier.m_hWnd != nullptr)
    m_magnifier.MoveWindow(0, 0, cx, cy, FALSE);
  CBrivanenDDoc* pDoc = GetDocument();
  CSpectrum2D* pSet = pDoc != nullptr ? pDoc->GetCurrentSet() : nullptr;
  if (pSet == nullptr)
    return;
  RECT plot = pSet->m_plotRect;
  if (!RescalePlotRect(plot, pDoc->m_nClientWidth, pDoc->m_nClientHeight, cx, cy))
    return;
  pSet->SetPlotRect(plot);
  pDoc->m_nClientWidth = cx;
  pDoc->m_nClientHeight = cy;
}

// --- Clipboard ---

HENHMETAFILE CBrivanenDView::RenderPicture() {
  CBrivanenDDoc* pDoc = GetDocument();
  CRect client;
  GetClientRect(&client);
  if (pDoc == nullptr || client.IsRectEmpty())
    return nullptr;
  // A picture that would stop at a missing set is not offered at all.
  for (POSITION pos = pDoc->m_dataSets.GetHeadPosition(); pos != nullptr;)
    if (pDoc->m_dataSets.GetNext(pos) == nullptr)
      return nullptr;
  double aspect = 4.0 / 3.0;
  {
    CClientDC screen(this);
    if (screen.GetDeviceCaps(VERTRES) > 0)
      aspect = (double)screen.GetDeviceCaps(HORZRES) / screen.GetDeviceCaps(VERTRES);
  }
  CPrintDialog printer(FALSE);
  const BOOL bPrinter = printer.GetDefaults() && printer.GetPrinterDC() != nullptr;
  CMetaFileDC dc;
  if (!dc.CreateEnhanced(bPrinter ? CDC::FromHandle(printer.GetPrinterDC()) : nullptr, nullptr, nullptr,
                         "bvx metafile"))
    return nullptr;
  const double fx = (double)kPictureWidth / client.Width();
  const double fy = (double)(int)(kPictureWidth / aspect) / client.Height();
  DrawDocument(&dc, fx, fy, FALSE);
  DrawDocument(nullptr, 1.0, 1.0, FALSE);
  return dc.CloseEnhanced();
}

void CBrivanenDView::DrawPicture(CDC* pDC, const CRect& rect) {
  pDC->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), WHITENESS);
  CRect client;
  GetClientRect(&client);
  if (GetDocument() == nullptr || client.IsRectEmpty())
    return;
  const CPoint origin = pDC->GetWindowOrg();
  pDC->SetWindowOrg(origin.x - rect.left, origin.y - rect.top);
  DrawDocument(pDC, (double)rect.Width() / client.Width(), (double)rect.Height() / client.Height(), FALSE);
  DrawDocument(nullptr, 1.0, 1.0, FALSE);
  pDC->SetWindowOrg(origin);
}

void CBrivanenDView::OnEditCopy() {
  HENHMETAFILE hPicture = RenderPicture();
  if (hPicture != nullptr)
    CClipboard::CopyEnhMetaFile(m_hWnd, hPicture);
}

// An embedded object first; else an enhanced metafile becomes a picture.
void CBrivanenDView::OnEditPaste() {
  CBrivanenDDoc* pDoc = GetDocument();
  if (pDoc == nullptr || PasteItem())
    return;
  HENHMETAFILE hPicture = nullptr;
  {
    CClipboard clipboard(m_hWnd);
    if (clipboard.IsOpen())
      hPicture = clipboard.GetEnhMetaFile();
  }
  if (hPicture == nullptr)
    return;
  const CRect rect(100, 100, 200, 200);
  pDoc->m_pictures.AddHead(new CClipboardPicture(hPicture, rect, m_hWnd));
  delete pDoc->m_pPictureTracker;
  pDoc->m_pPictureTracker = new CRectTracker(&rect, kTrackerStyle);
  pDoc->SetModifiedFlag();
  pDoc->UpdateAllViews(nullptr);
}

// The selected OLE item goes; without one the head picture, and the
// tracker moves to the next one.
void CBrivanenDView::OnEditClear() {
  CBrivanenDDoc* pDoc = GetDocument();
  if (pDoc == nullptr || DeleteSelection() || pDoc->m_pictures.IsEmpty())
    return;
  delete pDoc->m_pictures.RemoveHead();
  delete pDoc->m_pPictureTracker;
  pDoc->m_pPictureTracker = nullptr;
  if (!pDoc->m_pictures.IsEmpty()) {
    const CClipboardPicture* pHead = static_cast<CClipboardPicture*>(pDoc->m_pictures.GetHead());
    pDoc->m_pPictureTracker = new CRectTracker(&pHead->m_rect, kTrackerStyle);
  }
  pDoc->SetModifiedFlag();
  pDoc->UpdateAllViews(nullptr);
}

void CBrivanenDView::OnUpdateEditClear(CCmdUI* pCmdUI) {
  const CBrivanenDDoc* pDoc = GetDocument();
  pCmdUI->Enable(pDoc != nullptr && (m_pSelection != nullptr || !pDoc->m_pictures.IsEmpty()));
}

// --- Magnifier ---

void CBrivanenDView::HideMagnifier() {
  if (m_magnifier.m_hWnd != nullptr && m_magnifier.IsWindowVisible())
    m_magnifier.ShowWindow(SW_HIDE);
}

void CBrivanenDView::ShowMagnifier(BOOL bShow) {
  CBrivanenDDoc* pDoc = GetDocument();
  if (m_magnifier.m_hWnd == nullptr || pDoc == nullptr)
    return;
  if (!bShow) {
    HideMagnifier();
    pDoc->ResetMouseTool();
    return;
  }
  CRect client;
  GetClientRect(&client);
  m_magnifier.MoveWindow(&client, FALSE);
  m_magnifier.ShowWindow(SW_SHOW);
  pDoc->m_nMouseMode = ndMouseMagnifier;
}

void CBrivanenDView::OnViewMagnify() {
  ShowMagnifier(m_magnifier.m_hWnd == nullptr || !m_magnifier.IsWindowVisible());
}

void CBrivanenDView::OnUpdateViewMagnify(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_magnifier.m_hWnd != nullptr && m_magnifier.IsWindowVisible());
}

void CBrivanenDView::OnViewDoubleBuffering() {
  m_bDoubleBuffering = !m_bDoubleBuffering;
}

void CBrivanenDView::OnUpdateViewDoubleBuffering(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_bDoubleBuffering);
}

// --- Sound ---

void CBrivanenDView::OnPlay() {
  CBrivanenDDoc* pDoc = GetDocument();
  CSpectrum2D* pSet = pDoc != nullptr ? pDoc->GetCurrentSet() : nullptr;
  if (pSet == nullptr)
    return;
  m_bPlayStopped = FALSE;
  pSet->GetMinMax(m_sound.m_fLeast, m_sound.m_fGreatest);
  m_sound.m_pData = pSet->m_pData;
  const MMRESULT result =
      m_sound.Play(this, pSet->GetOuterCount(), pSet->GetInnerCount(), pSet->GetCurrentCount(), !pSet->m_bReal);
  if (result == MMSYSERR_NOERROR)
    return;
  // Nothing plays: Play stays offered, and the user is told why.
  m_bPlayStopped = TRUE;
  char text[MAXERRORLENGTH] = "";
  if (::waveOutGetErrorTextA(result, text, sizeof text) != MMSYSERR_NOERROR || text[0] == '\0')
    std::snprintf(text, sizeof text, "The data set cannot be played (error %u)", (unsigned)result);
  AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

void CBrivanenDView::OnUpdatePlay(CCmdUI* pCmdUI) {
  const CBrivanenDDoc* pDoc = GetDocument();
  const CSpectrum2D* pSet = pDoc != nullptr ? pDoc->GetCurrentSet() : nullptr;
  pCmdUI->Enable(pSet != nullptr && pSet->m_nCurrentDim > 0 && m_bPlayStopped);
}

void CBrivanenDView::OnStop() {
  SendMessage(MM_WOM_DONE, 0, 0);
}

void CBrivanenDView::OnUpdateStop(CCmdUI* pCmdUI) {
  pCmdUI->Enable(!m_bPlayStopped);
}

// From the device (lParam: the chunk it gives back) the playback ends with
// its last chunk; from Stop (lParam 0) at once.
LRESULT CBrivanenDView::OnWaveDone(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0) {
    m_sound.Stop();
    m_bPlayStopped = TRUE;
  } else if (m_sound.Finish((HWAVEOUT)wParam)) {
    m_bPlayStopped = TRUE;
  }
  return 0;
}
