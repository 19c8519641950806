#include "onedim/view/BrivaneProView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "framework/win/CmdUI.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/GdiObject.h"
#include "framework/win/RectTracker.h"
#include "framework/win/UiHooks.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/Integral.h"
#include "onedim/model/TextLabel.h"
#include "onedim/plot/ViewGeometry.h"
#include "onedim/view/OffscreenDC.h"
#include "onedim/view/SpectrumDraw.h"
#include "resources/BrivaneRes.h"

IMPLEMENT_DYNCREATE(CBrivaneProView, CView)

BEGIN_MESSAGE_MAP(CBrivaneProView, CView)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONDOWN()
  ON_WM_CAPTURECHANGED()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_COMMAND(ID_VIEW_ZOOM, OnViewZoom)
  ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM, OnUpdateViewZoom)
  ON_COMMAND(ID_PLAY, OnPlay)
  ON_UPDATE_COMMAND_UI(ID_PLAY, OnUpdatePlay)
  ON_MESSAGE(MM_WOM_DONE, OnWaveDone)
END_MESSAGE_MAP()

namespace {

// The tools that act on the maximum found under the cursor.
bool SearchesMaximum(int nMode) {
  return nMode == MOUSE_PEAK_BY_PEAK || nMode == MOUSE_COUPLING_REFERENCE || nMode == MOUSE_COUPLING_PARTNERS ||
         nMode == MOUSE_REFERENCE || nMode == MOUSE_RELAXATION_PEAK;
}

// Data value at view height y: the threshold of the peak-picking band.
double ThresholdAt(const CSpectrum& s, int y) {
  return std::fabs(s.YToValue(y));
}

}  // namespace

CBrivaneDocument* CBrivaneProView::GetDocument() const {
  return static_cast<CBrivaneDocument*>(m_pDocument);
}

BOOL CBrivaneProView::OnEraseBkgnd(CDC*) {
  return TRUE;
}  // OnDraw fills the background

void CBrivaneProView::OnPaint() {
  CPaintDC dc(this);
  COffscreenDC offscreen(&dc);
  OnDraw(&offscreen);
}

void CBrivaneProView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  CBrivaneDocument* pDoc = GetDocument();
  if (cx <= 0 || cy <= 0)
    return;  // minimised or squeezed: the layout waits for a real size
  if (pDoc != nullptr && pDoc->m_bAutoResize && !m_rcLastClient.IsRectEmpty()) {
    double dx = 1.0, dy = 1.0;
    ResizeRatios(m_rcLastClient.Size(), CSize(cx, cy), dx, dy);
    for (POSITION pos = pDoc->m_Spectra.GetHeadPosition(); pos != nullptr;)
      RescaleSpectrumLayout(*pDoc->m_Spectra.GetSpectrum(pos), dx, dy);
  }
  m_rcLastClient = CRect(0, 0, cx, cy);
}

CRect CBrivaneProView::GetLayoutRect() const {
  CRect rc;
  GetClientRect(&rc);
  return rc.Width() > 0 && rc.Height() > 0 ? rc : m_rcLastClient;
}

void CBrivaneProView::OnDraw(CDC* pDC) {
  CBrivaneDocument* pDoc = GetDocument();
  CRect rc;
  GetClientRect(&rc);
  pDC->FillSolidRect(&rc, pDoc != nullptr ? pDoc->m_crBackground : RGB(255, 255, 255));
  if (pDoc == nullptr)
    return;
  for (POSITION pos = pDoc->m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = pDoc->m_Spectra.GetSpectrum(pos);
    // The largest value sets the drawing scale; a loaded file does not carry it.
    if (s->m_fMaxValue == 0.0f)
      s->FindMaximum();
    s->m_Scale.m_rectClient = rc;
    s->m_dPrintScaleX = s->m_dPrintScaleY = 1.0;
    DrawSpectrum(*s, pDC);
  }
}

void CBrivaneProView::DrawTrace(CDC* pDC, const CSpectrum& s, int nFirst, int nLast, int nLeft, int nRight,
                                const RECT* pStrip) {
  int td = s.m_paramsA.td;
  nFirst = std::max(0, nFirst & ~1);
  nLast = std::min(nLast, td);
  if (s.m_pData == nullptr || nLast - nFirst < 2 || nRight <= nLeft)
    return;
  // Real parts only, at most two points per pixel column.
  int nPoints = (nLast - nFirst) / 2;
  int nStep = std::max(1, nPoints / (2 * (nRight - nLeft)));
  // In a strip the largest value reaches just inside its edges.
  float fLargest = 0.0f;
  if (pStrip != nullptr)
    for (int i = nFirst; i < nLast; i += 2)
      fLargest = std::max(fLargest, std::fabs(s.m_pData[i]));
  int nMid = pStrip != nullptr ? (pStrip->top + pStrip->bottom) / 2 : 0;
  double dGain = fLargest > 0.0f ? ((pStrip != nullptr ? pStrip->bottom - pStrip->top : 0) / 2 - 2) / fLargest : 0.0;
  std::vector<POINT> line;
  line.reserve(nPoints / nStep + 1);
  for (int i = nFirst; i < nLast; i += 2 * nStep) {
    long long x = nLeft + (long long)(i - nFirst) * (nRight - nLeft) / (nLast - nFirst);
    LONG y = pStrip != nullptr ? (LONG)(nMid - dGain * s.m_pData[i]) : (LONG)s.PointToY(i);
    line.push_back(POINT{(LONG)x, y});
  }
  CPen pen(PS_SOLID, std::max(1, s.m_nLineThickness), s.m_crTrace);
  CSelectGuard penGuard(*pDC, &pen);
  pDC->Polyline(line.data(), (int)line.size());
}

// --- Mouse tools ---

CSpectrum* CBrivaneProView::SpectrumAt(CPoint point, BOOL* pOnScale) const {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* pHit = nullptr;
  *pOnScale = FALSE;
  if (pDoc == nullptr)
    return nullptr;
  // The last one in document order wins; a floating scale wins over a trace.
  for (POSITION pos = pDoc->m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = pDoc->m_Spectra.GetSpectrum(pos);
    if (HitsFloatingScale(*s, point)) {
      pHit = s;
      *pOnScale = TRUE;
    } else if (!*pOnScale && HitsTrace(*s, point)) {
      pHit = s;
    }
  }
  return pHit;
}

BOOL CBrivaneProView::TrackBand(CPoint point, CRect& band) {
  CRectTracker tracker(CRect(point, CSize(10, 10)), CRectTracker::solidLine);
  // Only the width counts: a band dragged straight across has no height,
  // which the tracker calls empty. A cancelled band comes back unmoved.
  tracker.TrackRubberBand(this, point, TRUE);
  band = tracker.m_rect;
  return band.right > band.left;
}

void CBrivaneProView::OnLButtonDown(UINT nFlags, CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  SetFocus();
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (s == nullptr) {
    Default();
    return;
  }
  const int td = s->m_paramsA.td;
  CRect band;
  switch (pDoc->m_nMouseMode) {
    case MOUSE_NONE: {
      BOOL bOnScale = FALSE;
      if (CSpectrum* pHit = SpectrumAt(point, &bOnScale)) {
        pDoc->SetCurrentSpectrum(pHit);
        pDoc->UpdateViews();
      } else {
        StartCrosshair(point);
      }
      break;
    }
    case MOUSE_MOVE: {
      CSpectrum* pHit = SpectrumAt(point, &m_bMoveScale);
      if (pHit == nullptr)
        break;
      pDoc->SetCurrentSpectrum(pHit);
      SetCapture();
      m_bButtonDown = TRUE;
      m_ptLast = point;
      m_nMoveOffset = point.x - pHit->m_nLeftPixel;
      break;
    }
    case MOUSE_ZOOM:
      if (TrackBand(point, band))
        pDoc->ZoomToPixels(band.left, band.right);
      break;
    case MOUSE_PEAK_REGION:
    case MOUSE_INTEGRATE:
    case MOUSE_REMOVE_PEAKS:
    case MOUSE_RELAXATION_INTEGRAL: {
      VisibleRange range;
      if (!TrackBand(point, band) || !MapBandToRange(*s, band.left, band.right, range))
        break;
      if (pDoc->m_nMouseMode == MOUSE_PEAK_REGION)
        pDoc->PickPeaksInRange(range.nFirst, range.nLast, ThresholdAt(*s, band.bottom));
      else if (pDoc->m_nMouseMode == MOUSE_INTEGRATE)
        pDoc->AddIntegralOver(range.nFirst, range.nLast);
      else if (pDoc->m_nMouseMode == MOUSE_REMOVE_PEAKS)
        pDoc->RemovePeaksInRange(range.nFirst, range.nLast);
      else
        pDoc->SetRelaxationRegion(range.nFirst, range.nLast);
      if (pDoc->m_nMouseMode == MOUSE_PEAK_REGION)
        ShowPeakList();
      Invalidate(FALSE);
      break;
    }
    case MOUSE_BASELINE_POINTS:
      pDoc->ToggleBaselinePoint(point);
      break;
    case MOUSE_PEAK_INFO: {
      const int nIndex = pDoc->PixelToPoint(point.x) & ~1;
      if (nIndex >= 0 && nIndex < td)
        pDoc->ShowPeakInformation(nIndex);
      break;
    }
    default:
      if (SearchesMaximum(pDoc->m_nMouseMode))
        PointTool(pDoc->m_nMouseMode);
      break;
  }
  (void)nFlags;
  Default();
}

void CBrivaneProView::PointTool(int nMode) {
  CBrivaneDocument* pDoc = GetDocument();
  if (m_nFoundPoint < 0)
    return;  // the search found nothing under the cursor
  switch (nMode) {
    case MOUSE_PEAK_BY_PEAK:
      pDoc->PickPeakAt(m_nFoundPoint);
      ShowPeakList();
      break;
    case MOUSE_COUPLING_REFERENCE:
      pDoc->StartCoupling(m_nFoundPoint);
      pDoc->m_nMouseMode = MOUSE_COUPLING_PARTNERS;
      break;
    case MOUSE_COUPLING_PARTNERS:
      pDoc->AddCouplingPartner(m_nFoundPoint);
      break;
    case MOUSE_REFERENCE:
      pDoc->ReferencePointAt(m_nFoundPoint);
      break;
    case MOUSE_RELAXATION_PEAK:
      pDoc->SetRelaxationPoint(m_nFoundPoint);
      break;
  }
  Invalidate(FALSE);
}

// New peaks: an open peak list refreshes itself; a closed one is opened
// by its command, posted so that the press ends first.
void CBrivaneProView::ShowPeakList() {
  CFrameWnd* pFrame = GetParentFrame();
  if (!GetDocument()->m_bPeakListOpen && pFrame != nullptr)
    pFrame->PostMessage(WM_COMMAND, ID_TOOLS_EDIT_PEAKS);
}

void CBrivaneProView::StartCrosshair(CPoint point) {
  SetCapture();
  m_bButtonDown = TRUE;
  m_ptLast = point;
  DrawCrosshair(point);
  m_bCrosshair = TRUE;
  ShowReadout(point);
}

// Inverting lines: drawn again at the same place they vanish.
void CBrivaneProView::DrawCrosshair(CPoint point) {
  CClientDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
  CSelectGuard penGuard(dc, &pen);
  const int nOldRop = dc.SetROP2(R2_NOTXORPEN);
  dc.MoveTo(point.x, rc.top);
  dc.LineTo(point.x, rc.bottom);
  dc.MoveTo(rc.left, point.y);
  dc.LineTo(rc.right, point.y);
  dc.SetROP2(nOldRop);
}

void CBrivaneProView::ShowReadout(CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  const CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  CFrameWnd* pFrame = GetTopLevelFrame();
  if (s != nullptr && pFrame != nullptr)
    pFrame->SetMessageText(FormatCursorReadout(*s, point.x));
}

void CBrivaneProView::OnMouseMove(UINT nFlags, CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (s == nullptr) {
    Default();
    return;
  }
  ShowReadout(point);
  int& nMode = pDoc->m_nMouseMode;
  if (nMode == MOUSE_NONE && m_bButtonDown) {
    if (m_bCrosshair)
      DrawCrosshair(m_ptLast);
    DrawCrosshair(point);
    m_bCrosshair = TRUE;
  } else if ((nMode == MOUSE_NONE || nMode == MOUSE_MOVE) && !m_bButtonDown) {
    BOOL bOnScale = FALSE;
    nMode = SpectrumAt(point, &bOnScale) != nullptr ? MOUSE_MOVE : MOUSE_NONE;
  } else if (SearchesMaximum(nMode)) {
    const int nFound = FindNearestMaximum(*s, point.x, point.y);
    if (nFound != m_nFoundPoint)
      Invalidate(FALSE);
    m_nFoundPoint = nFound;
  }
  m_ptLast = point;
  (void)nFlags;
  Default();
}

void CBrivaneProView::OnLButtonUp(UINT nFlags, CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  if (m_bButtonDown && pDoc != nullptr && pDoc->m_nMouseMode == MOUSE_MOVE)
    MoveSpectrum(point);
  EndDrag();
  (void)nFlags;
  Default();
}

void CBrivaneProView::MoveSpectrum(CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* s = pDoc->GetCurrentSpectrum();
  if (s == nullptr)
    return;
  if (m_bMoveScale) {
    s->m_Scale.SetPosition(point.y);
  } else {
    // The plot band keeps its height round the new zero line.
    const int nHalf = (s->m_rectPlot.bottom - s->m_rectPlot.top) / 2;
    s->m_rectPlot.top = point.y - nHalf;
    s->m_rectPlot.bottom = s->m_rectPlot.top + 2 * nHalf;
  }
  if (m_bShift) {
    const int nWidth = s->m_nRightPixel - s->m_nLeftPixel;
    s->m_nLeftPixel = point.x - m_nMoveOffset;
    s->m_nRightPixel = s->m_nLeftPixel + nWidth;
    pDoc->ShowScaleRuler(*s);
  }
  pDoc->SetModified();
  pDoc->UpdateViews();
}

// Ends any drag: the crosshair is wiped and no press is left pending, so a
// release without a press or a capture taken away leaves nothing half done.
void CBrivaneProView::EndDrag() {
  if (m_bCrosshair) {
    m_bCrosshair = FALSE;
    DrawCrosshair(m_ptLast);
  }
  const BOOL bHadCapture = m_bButtonDown;
  m_bButtonDown = FALSE;
  if (bHadCapture && GetCapture() == this)
    ReleaseCapture();
}

void CBrivaneProView::OnCaptureChanged(CWnd* pWnd) {
  if (pWnd != this && m_bButtonDown) {
    CBrivaneDocument* pDoc = GetDocument();
    if (pDoc != nullptr && pDoc->m_nMouseMode == MOUSE_MOVE_LABEL)
      pDoc->m_nMouseMode = MOUSE_NONE;
    EndDrag();
  }
  Default();
}

void CBrivaneProView::OnRButtonDown(UINT nFlags, CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (s != nullptr) {
    switch (pDoc->m_nMouseMode) {
      case MOUSE_PEAK_BY_PEAK:
        Invalidate(FALSE);
        break;
      case MOUSE_COUPLING_REFERENCE:
      case MOUSE_COUPLING_PARTNERS:
        s->m_bMeasuringJ = 0;
        pDoc->m_nMouseMode = MOUSE_COUPLING_REFERENCE;
        Invalidate(FALSE);
        break;
    }
  }
  (void)nFlags;
  (void)point;
  Default();
}

// --- Keys ---

BOOL CBrivaneProView::PreTranslateMessage(MSG* pMsg) {
  CBrivaneDocument* pDoc = GetDocument();
  if (pMsg->message == WM_KEYDOWN && pDoc != nullptr) {
    if (pMsg->wParam == VK_ESCAPE) {
      pDoc->m_nMouseMode = MOUSE_NONE;  // the key goes on
    } else if (pMsg->wParam == VK_TAB && pDoc->GetSpectrumCount() > 0) {
      // The next spectrum becomes current; after the last comes the first.
      POSITION pos = pDoc->m_Spectra.Find(pDoc->GetCurrentSpectrum());
      if (pos != nullptr)
        pDoc->m_Spectra.GetSpectrum(pos);
      if (pos == nullptr)
        pos = pDoc->m_Spectra.GetHeadPosition();
      pDoc->SetCurrentSpectrum(pDoc->m_Spectra.GetSpectrum(pos));
      pDoc->UpdateViews();
      return TRUE;
    }
  }
  return CView::PreTranslateMessage(pMsg);
}

void CBrivaneProView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (nChar == VK_SHIFT)
    m_bShift = TRUE;
  else if (nChar == VK_CONTROL)
    m_bCtrl = TRUE;
  if (s == nullptr || (nChar != VK_UP && nChar != VK_DOWN && nChar != VK_DELETE)) {
    Default();
    return;
  }
  if (nChar == VK_DELETE) {
    for (int i = 0; i < s->m_arrIntegrals.GetSize(); i++)
      if (s->m_arrIntegrals[i] == s->m_pSelectedIntegral) {
        pDoc->RemoveIntegral(s, i);
        break;
      }
    for (int i = 0; i < s->m_arrLabels.GetSize(); i++)
      if (s->m_arrLabels[i] == s->m_pSelectedLabel) {
        s->m_arrLabels.RemoveAt(i);
        delete s->m_pSelectedLabel;
        s->m_pSelectedLabel = nullptr;
        break;
      }
  } else {
    const int nStep = nChar == VK_UP ? 5 : -5;
    if (m_bCtrl) {
      for (int i = 0; i < s->m_arrIntegrals.GetSize(); i++)
        static_cast<CIntegral*>(s->m_arrIntegrals[i])->m_nBase -= nStep;  // up is a smaller y
    } else {
      s->m_nIntegralScaleDen += nStep;
      if (s->m_nIntegralScaleDen == 0)
        s->m_nIntegralScaleDen = nStep;  // a divisor of the curves
    }
  }
  (void)nRepCnt;
  (void)nFlags;
  Invalidate(FALSE);
}

void CBrivaneProView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_SHIFT)
    m_bShift = FALSE;
  else if (nChar == VK_CONTROL)
    m_bCtrl = FALSE;
  (void)nRepCnt;
  (void)nFlags;
  Default();
}

// --- Commands ---

void CBrivaneProView::OnViewZoom() {
  CBrivaneDocument* pDoc = GetDocument();
  pDoc->m_nMouseMode = pDoc->m_nMouseMode == MOUSE_ZOOM ? MOUSE_NONE : MOUSE_ZOOM;
}

void CBrivaneProView::OnUpdateViewZoom(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(GetDocument()->m_nMouseMode == MOUSE_ZOOM);
}

void CBrivaneProView::OnPlay() {
  CBrivaneDocument* pDoc = GetDocument();
  if (pDoc == nullptr || pDoc->GetCurrentSpectrum() == nullptr)
    return;
  const MMRESULT result = m_Sound.Play(this, *pDoc);
  if (result != MMSYSERR_NOERROR) {
    char text[MAXERRORLENGTH] = "";
    if (::waveOutGetErrorTextA(result, text, sizeof(text)) != MMSYSERR_NOERROR || text[0] == '\0')
      std::snprintf(text, sizeof(text), "The FID cannot be played (error %u)", (unsigned)result);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
  }
}

void CBrivaneProView::OnUpdatePlay(CCmdUI* pCmdUI) {
  pCmdUI->Enable(!m_Sound.IsPlaying());
}

LRESULT CBrivaneProView::OnWaveDone(WPARAM, LPARAM) {
  m_Sound.Finish();
  return 0;
}
