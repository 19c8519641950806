#include "onedim/view/BrivaneProView.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/win/Dc.h"
#include "framework/win/GdiObject.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/model/Spectrum.h"
#include "onedim/view/SpectrumDraw.h"

IMPLEMENT_DYNCREATE(CBrivaneProView, CView)

BEGIN_MESSAGE_MAP(CBrivaneProView, CView)
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
END_MESSAGE_MAP()

CBrivaneDocument* CBrivaneProView::GetDocument() const {
  return static_cast<CBrivaneDocument*>(m_pDocument);
}

BOOL CBrivaneProView::OnEraseBkgnd(CDC*) {
  return TRUE;
}  // OnDraw fills the background

void CBrivaneProView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  if (cx > 0 && cy > 0)
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
