#include "onedim/view/FullView.h"

#include <algorithm>
#include <vector>

#include "framework/win/Dc.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/GdiObject.h"
#include "framework/win/Menu.h"
#include "framework/win/WinApp.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/model/Integral.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/TextLabel.h"
#include "onedim/model/WindowFunction.h"
#include "onedim/plot/ViewGeometry.h"
#include "onedim/view/BrivaneProView.h"
#include "onedim/view/OffscreenDC.h"
#include "onedim/view/SpectrumDraw.h"
#include "onedim/view/WindowFunctionDraw.h"
#include "resources/BrivaneRes.h"

namespace {

const int kScaleBand = 31;  // the axis band at the bottom of the strip

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

// What the strip changes of the spectrum while it draws it whole: the
// scale shown as a solid band, the visible range, the plot band, while the
// window function is shown the data it weights, the client rectangle its
// scale keeps (the layout after a transform takes the 1D view's), and the
// rectangles where labels and integrals were drawn, which the 1D view
// hit-tests.
class CStripState {
 public:
  explicit CStripState(CSpectrum& s)
      : m_s(s),
        m_whole(s),
        m_bShowScale(s.m_bShowScale),
        m_bFloating(s.m_Scale.m_bFloating),
        m_rectPlot(s.m_rectPlot),
        m_rectClient(s.m_Scale.m_rectClient),
        m_pData(s.m_pData) {
    s.m_bShowScale = 1;
    s.m_Scale.m_bFloating = 0;
    for (INT_PTR i = 0; i < s.m_arrLabels.GetSize(); i++)
      m_rects.push_back(static_cast<CTextLabel*>(s.m_arrLabels[i])->m_rectDrawn);
    for (INT_PTR i = 0; i < s.m_arrIntegrals.GetSize(); i++) {
      const CIntegral* pIntegral = static_cast<CIntegral*>(s.m_arrIntegrals[i]);
      m_rects.push_back(pIntegral->m_rectValue);
      m_rects.push_back(pIntegral->m_rectCurve);
    }
  }
  ~CStripState() {
    size_t k = 0;
    for (INT_PTR i = 0; i < m_s.m_arrLabels.GetSize() && k < m_rects.size(); i++)
      static_cast<CTextLabel*>(m_s.m_arrLabels[i])->m_rectDrawn = m_rects[k++];
    for (INT_PTR i = 0; i < m_s.m_arrIntegrals.GetSize() && k + 1 < m_rects.size(); i++) {
      CIntegral* pIntegral = static_cast<CIntegral*>(m_s.m_arrIntegrals[i]);
      pIntegral->m_rectValue = m_rects[k++];
      pIntegral->m_rectCurve = m_rects[k++];
    }
    m_s.m_bShowScale = m_bShowScale;
    m_s.m_Scale.m_bFloating = m_bFloating;
    m_s.m_rectPlot = m_rectPlot;
    m_s.m_Scale.m_rectClient = m_rectClient;
    m_s.m_pData = m_pData;
  }
  CStripState(const CStripState&) = delete;
  CStripState& operator=(const CStripState&) = delete;

 private:
  CSpectrum& m_s;
  CWholeRange m_whole;
  BYTE m_bShowScale, m_bFloating;
  RECT m_rectPlot;
  RECT m_rectClient;
  float* m_pData;
  std::vector<RECT> m_rects;
};

// The zero line's y for a trace position over a strip of client rc.
int TraceLineY(int nPosition, const CRect& rc) {
  switch (nPosition) {
    case 0:
      return rc.top + 8;
    case 2:
      return rc.bottom - kScaleBand - 7;
    default:
      return (rc.top + rc.bottom - kScaleBand) / 2;
  }
}

}  // namespace

IMPLEMENT_DYNCREATE(CFullView, CView)

BEGIN_MESSAGE_MAP(CFullView, CView)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONDOWN()
  ON_WM_SETCURSOR()
  ON_WM_CAPTURECHANGED()
  ON_COMMAND(ID_FULLVIEW_HIDE, OnHide)
  ON_COMMAND(ID_FULLVIEW_TOP, OnTop)
  ON_COMMAND(ID_FULLVIEW_MIDDLE, OnMiddle)
  ON_COMMAND(ID_FULLVIEW_BOTTOM, OnBottom)
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
  CRect rcClip;
  pDC->GetClipBox(&rcClip);
  {
    CBrush background(pDoc != nullptr ? pDoc->m_crBackground : RGB(255, 255, 255));
    CSelectGuard brushGuard(*pDC, &background);
    pDC->PatBlt(rcClip.left, rcClip.top, rcClip.Width(), rcClip.Height(), PATCOPY);
  }
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  CRect rc;
  GetClientRect(&rc);
  if (s == nullptr || s->m_paramsA.td < 2 || rc.Width() <= 0)
    return;
  const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);
  CWindowFunction* pWindow = s->m_pWindow;
  if (pWindow != nullptr)
    pWindow->m_nViewHeight = rc.Height();
  CFont font;
  font.CreateFont(16, 0, 0, 0, 400, 0, 0, 0, ANSI_CHARSET, 3, 2, 1, 34, "Arial");
  CSelectGuard fontGuard(pDC->m_hDC, font.m_hObject != nullptr ? font.m_hObject : ::GetStockObject(SYSTEM_FONT));

  CRect box = GetZoomBox();
  box.NormalizeRect();
  CStripState strip(*s);
  const int y = TraceLineY(m_nTracePosition, rc);
  s->m_rectPlot = RECT{box.left, y, box.right, y};
  pDC->FillRect(&box, CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH)));
  CRect inner = box;
  inner.DeflateRect(5, 5);
  if (!inner.IsRectEmpty())
    FillInner(pDC, inner);
  const BOOL bShowWindow = pWindow != nullptr && pWindow->m_bShowCurve && s->m_pRawData != nullptr;
  // Found on the current data, before the acquired data stand in for them.
  s->UpdateDisplayData();
  if (bShowWindow)
    s->m_pData = s->m_pRawData;  // the acquired data under the weighting curve
  s->m_Scale.m_rectClient = rc;
  DrawSpectrum(*s, pDC);
  if (bShowWindow) {
    // Inverted, so that the weighting shows over any trace.
    const int nOldRop = pDC->SetROP2(R2_NOTXORPEN);
    DrawWindowFunctionCurve(*pWindow, pDC, s->m_nLeftPixel, s->m_nRightPixel);
    pDC->SetROP2(nOldRop);
  }
  pDC->SetBkMode(nOldBkMode);
}

// Plain grey, or a red, green or blue that darkens downwards.
void CFullView::FillInner(CDC* pDC, const CRect& inner) {
  const int nStyle = GetDocument()->m_nZoomBoxStyle;
  if (nStyle < 1 || nStyle > 3) {
    pDC->FillSolidRect(&inner, RGB(223, 223, 223));
    return;
  }
  const int nShift = 8 * (nStyle - 1);
  for (int r = inner.top; r < inner.bottom; r++) {
    const int nLevel = std::max(0, std::min(255, 255 - MulDiv(r, 199, inner.Height())));
    pDC->FillSolidRect(inner.left, r, inner.Width(), 1, (COLORREF)nLevel << nShift);
  }
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

void CFullView::OnCaptureChanged(CWnd* pWnd) {
  if (pWnd != this)
    m_bDragging = 0;  // the box stays where the last move put it
  Default();
}

void CFullView::OnRButtonDown(UINT nFlags, CPoint point) {
  m_nDragMode = 3;
  CMenu menu;
  if (menu.LoadMenu(IDR_FULLVIEW_POPUP)) {
    CPoint screen = point;
    ClientToScreen(&screen);
    menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
  }
  (void)nFlags;
}

BOOL CFullView::PreTranslateMessage(MSG* pMsg) {
  return PreTranslateViewKeys(GetDocument(), pMsg) || CView::PreTranslateMessage(pMsg);
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
  if (nHitTest == HTCLIENT && (m_nDragMode == 1 || m_nDragMode == 2)) {
    const UINT nCursor = m_nDragMode == 1 ? IDC_CURSOR_FULLVIEW_EDGE : IDC_CURSOR_FULLVIEW_MOVE;
    HCURSOR hCursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nCursor));
    ::SetCursor(hCursor != nullptr ? hCursor : ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW));
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

void CFullView::OnTop() {
  m_nTracePosition = 0;
  Invalidate(FALSE);
}

void CFullView::OnMiddle() {
  m_nTracePosition = 1;
  Invalidate(FALSE);
}

void CFullView::OnBottom() {
  m_nTracePosition = 2;
  Invalidate(FALSE);
}
