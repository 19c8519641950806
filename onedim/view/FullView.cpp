#include "onedim/view/FullView.h"

#include "framework/win/Dc.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/GdiObject.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/WindowFunction.h"
#include "onedim/plot/ViewGeometry.h"
#include "onedim/view/BrivaneProView.h"
#include "onedim/view/OffscreenDC.h"
#include "onedim/view/WindowFunctionDraw.h"
#include "resources/BrivaneRes.h"

namespace {

const int kScaleBand = 31;  // the axis band at the bottom of the strip
const UINT kHideCommand = 32827;

// The spectrum shown whole for the time of a mapping, then as it was.
class CWholeRange {
 public:
  explicit CWholeRange(CSpectrum& s) : m_s(s), m_nFirst(s.m_nFirst), m_nLast(s.m_nLast) {
    s.m_nFirst = 0;
    s.m_nLast = s.m_paramsA.td;
  }
  ~CWholeRange() {
    m_s.m_nFirst = m_nFirst;
    m_s.m_nLast = m_nLast;
  }
  CWholeRange(const CWholeRange&) = delete;
  CWholeRange& operator=(const CWholeRange&) = delete;

 private:
  CSpectrum& m_s;
  int m_nFirst, m_nLast;
};

// The spectrum drawn from its acquired data for the time of a drawing.
class CAcquiredData {
 public:
  explicit CAcquiredData(CSpectrum& s) : m_s(s), m_pData(s.m_pData) { s.m_pData = s.m_pRawData; }
  ~CAcquiredData() { m_s.m_pData = m_pData; }
  CAcquiredData(const CAcquiredData&) = delete;
  CAcquiredData& operator=(const CAcquiredData&) = delete;

 private:
  CSpectrum& m_s;
  float* m_pData;
};

}  // namespace

IMPLEMENT_DYNCREATE(CFullView, CView)

BEGIN_MESSAGE_MAP(CFullView, CView)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_SETCURSOR()
  ON_COMMAND(kHideCommand, OnHide)
END_MESSAGE_MAP()

CBrivaneDocument* CFullView::GetDocument() const {
  return static_cast<CBrivaneDocument*>(m_pDocument);
}

BOOL CFullView::OnEraseBkgnd(CDC*) {
  return TRUE;
}  // OnDraw fills the background

void CFullView::OnPaint() {
  CPaintDC dc(this);
  COffscreenDC offscreen(&dc);
  OnDraw(&offscreen);
}

CRect CFullView::GetZoomBox() const {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  CRect rc;
  GetClientRect(&rc);
  if (s == nullptr)
    return CRect();
  const int nFirst = s->m_nFirst;
  const int nLast = s->m_nLast;
  CWholeRange whole(*s);
  return CRect(SpectrumPointToPixel(*s, nFirst), rc.top, SpectrumPointToPixel(*s, nLast), rc.bottom - kScaleBand);
}

void CFullView::OnDraw(CDC* pDC) {
  CBrivaneDocument* pDoc = GetDocument();
  CRect rc;
  GetClientRect(&rc);
  pDC->FillSolidRect(&rc, pDoc != nullptr ? pDoc->m_crBackground : RGB(255, 255, 255));
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (s == nullptr || s->m_paramsA.td < 2 || rc.Width() <= 0)
    return;
  CWindowFunction* pWindow = s->m_pWindow;
  if (pWindow != nullptr)
    pWindow->m_nViewHeight = rc.Height();
  CRect box = GetZoomBox();
  box.NormalizeRect();
  pDC->FillSolidRect(&box, RGB(255, 255, 255));
  CRect inner = box;
  inner.DeflateRect(5, 5);
  if (!inner.IsRectEmpty())
    pDC->FillSolidRect(&inner, RGB(223, 223, 223));
  // The whole data across the spectrum's own pixel extent.
  CRect strip(rc.left, rc.top, rc.right, rc.bottom - kScaleBand);
  if (pWindow == nullptr || !pWindow->m_bShowCurve || s->m_pRawData == nullptr) {
    CBrivaneProView::DrawTrace(pDC, *s, 0, s->m_paramsA.td, s->m_nLeftPixel, s->m_nRightPixel, &strip);
    return;
  }
  // While the window functions are chosen: the data as acquired, and the
  // weighting over them, inverted so that it shows on any trace.
  CAcquiredData acquired(*s);
  CBrivaneProView::DrawTrace(pDC, *s, 0, s->m_paramsA.td, s->m_nLeftPixel, s->m_nRightPixel, &strip);
  const int nOldRop = pDC->SetROP2(R2_NOTXORPEN);
  DrawWindowFunctionCurve(*pWindow, pDC, s->m_nLeftPixel, s->m_nRightPixel);
  pDC->SetROP2(nOldRop);
}

void CFullView::OnLButtonDown(UINT nFlags, CPoint point) {
  m_rectBox = GetZoomBox();
  m_nDragMode = ZoomBoxHitMode(m_rectBox, point, m_nEdge);
  if (m_nDragMode != 0) {
    m_bDragging = 1;
    m_nLastX = point.x;
    SetCapture();
  }
  (void)nFlags;
  Default();
}

void CFullView::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bDragging)
    DragTo(point);
  else
    m_nDragMode = ZoomBoxHitMode(GetZoomBox(), point, m_nEdge);
  (void)nFlags;
  Default();
}

void CFullView::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bDragging) {
    DragTo(point);
    m_bDragging = 0;
    ReleaseCapture();
  }
  (void)nFlags;
  Default();
}

void CFullView::DragTo(CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (s == nullptr)
    return;
  m_rectBox = MoveZoomBox(m_rectBox, m_nDragMode, m_nEdge, point.x - m_nLastX, s->m_nLeftPixel, s->m_nRightPixel);
  m_nLastX = point.x;
  VisibleRange range;
  {
    CWholeRange whole(*s);
    if (!MapBandToRange(*s, m_rectBox.left, m_rectBox.right, range))
      return;  // a box squeezed under two points keeps the last range
  }
  s->m_nFirst = range.nFirst;
  s->m_nLast = range.nLast;
  pDoc->GetHost()->SetHorzScrollBar(0, s->m_paramsA.td, range.nLast - range.nFirst, range.nFirst, TRUE);
  pDoc->UpdateViews();
}

BOOL CFullView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT && m_nDragMode != 0) {
    ::SetCursor(::LoadCursor(nullptr, m_nDragMode == 1 ? IDC_SIZEWE : IDC_SIZEALL));
    return TRUE;
  }
  (void)pWnd;
  (void)message;
  return (BOOL)Default();
}

void CFullView::OnHide() {
  if (CFrameWnd* pFrame = GetParentFrame())
    pFrame->PostMessage(WM_COMMAND, ID_VIEW_DUAL_DISPLAY);
}
