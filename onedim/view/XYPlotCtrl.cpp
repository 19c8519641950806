#include "onedim/view/XYPlotCtrl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/win/CommonDialogs.h"
#include "framework/win/Dc.h"
#include "numerics/Saturate.h"
#include "onedim/view/PlotMarkerDraw.h"

IMPLEMENT_DYNAMIC(CXYPlotCtrl, CStatic)

BEGIN_MESSAGE_MAP(CXYPlotCtrl, CStatic)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

void TextAt(CDC* pDC, int x, int y, UINT nAlign, LPCSTR pszText) {
  pDC->SetTextAlign(nAlign);
  pDC->TextOut(x, y, pszText, (int)std::strlen(pszText));
}

CString Number(double d) {
  CString str;
  str.Format("%.1lf", d);
  return str;
}

}  // namespace

CXYPlotCtrl::CXYPlotCtrl()
    : m_crAxis(RGB(0, 0, 0)), m_crBackground(RGB(255, 255, 255)), m_nTop(0), m_nBottom(0), m_nRight(0), m_nLeft(0) {}

CXYPlotCtrl::~CXYPlotCtrl() = default;

int CXYPlotCtrl::AddSeries(COLORREF crCurve, const std::vector<PlotPoint>* pPoints, int nShape) {
  try {
    Series series;
    series.pPoints = pPoints;
    series.crCurve = crCurve;
    series.marker.Set(4, RGB(220, 50, 0), nShape, MARKER_HOLLOW);
    m_series.push_back(series);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}

void CXYPlotCtrl::PreSubclassWindow() {
  // A static control only sees the mouse with SS_NOTIFY.
  ModifyStyle(0, SS_NOTIFY);
}

void CXYPlotCtrl::DrawPlot(CDC* pDC, const RECT& client) {
  pDC->FillSolidRect(&client, m_crBackground);
  m_nLeft = client.left + 40;
  m_nRight = client.right - 20;
  m_nTop = client.top + 14;
  m_nBottom = client.bottom - 24;
  const int left = m_nLeft, right = m_nRight, top = m_nTop, bottom = m_nBottom;

  {
    CPen axisPen(PS_SOLID, 1, m_crAxis);
    CSelectGuard penGuard(*pDC, &axisPen);
    pDC->MoveTo(left, bottom);
    pDC->LineTo(right, bottom);
    for (int i = 0; i <= 9; i++) {
      const int x = left + (int)(i * (right - left) * 0.1);
      pDC->MoveTo(x, bottom);
      pDC->LineTo(x, bottom + 5);
      for (int y = top; y < bottom; y += 4)
        pDC->SetPixel(x, y, m_crAxis);
    }
    pDC->MoveTo(left, top);
    pDC->LineTo(left, bottom);
    for (int i = 1; i <= 10; i++) {
      const int y = top + (int)(i * std::abs(bottom - top) * 0.1);
      pDC->MoveTo(left - 5, y);
      pDC->LineTo(left, y);
      for (int x = left; x < right; x += 4)
        pDC->SetPixel(x, y, m_crAxis);
    }
  }

  // Ranges: y over every point, x from the ends of each series.
  bool bAny = false;
  double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
  for (const Series& series : m_series) {
    if (series.pPoints == nullptr || series.pPoints->empty())
      continue;
    const std::vector<PlotPoint>& pts = *series.pPoints;
    if (!bAny) {
      xMin = pts.front().x;
      xMax = pts.back().x;
      yMin = yMax = pts.front().y;
      bAny = true;
    }
    xMin = std::min(xMin, (double)pts.front().x);
    xMax = std::max(xMax, (double)pts.back().x);
    for (const PlotPoint& p : pts) {
      yMin = std::min(yMin, (double)p.y);
      yMax = std::max(yMax, (double)p.y);
    }
  }

  CFont font;
  font.CreateFont(14, 0, 0, 0, 300, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  CFont rotated;
  rotated.CreateFont(14, 0, 900, 900, 300, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  const int nOldMode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF crOldText = pDC->SetTextColor(m_crAxis);
  const UINT nOldAlign = pDC->GetTextAlign();
  {
    CSelectGuard fontGuard(*pDC, &font);
    if (bAny) {
      TextAt(pDC, left - 9, top - 5, TA_RIGHT, Number(yMax));
      TextAt(pDC, left - 9, bottom, TA_RIGHT | TA_BASELINE, Number(yMin));
      TextAt(pDC, left, bottom + 5, TA_LEFT | TA_TOP, Number(xMin));
      TextAt(pDC, right, bottom + 5, TA_RIGHT, Number(xMax));
    }
    TextAt(pDC, (left + right) / 2, bottom + 5, TA_CENTER, "Delay");
    CSelectGuard rotatedGuard(*pDC, &rotated);
    TextAt(pDC, left - 9, (top + bottom) / 2, TA_CENTER | TA_BASELINE, "Intensity");
  }
  pDC->SetTextAlign(nOldAlign);
  pDC->SetTextColor(crOldText);
  pDC->SetBkMode(nOldMode);

  // Differences are truncated to whole units before scaling, so a range
  // below one unit collapses to one column or row (and a zero range does
  // not divide by zero).
  const int nXRange = SaturatingInt(xMax - xMin);
  const int nYRange = SaturatingInt(yMax - yMin);
  for (Series& series : m_series) {
    if (series.pPoints == nullptr || series.pPoints->empty())
      continue;
    const std::vector<PlotPoint>& pts = *series.pPoints;
    CPen pen(PS_SOLID, 1, series.crCurve);
    CSelectGuard penGuard(*pDC, &pen);
    const double dStart = yMax != 0 ? pts.front().y / yMax : 0.0;
    pDC->MoveTo(left, bottom - SaturatingInt(dStart * (bottom - top)));
    for (const PlotPoint& p : pts) {
      const int x = left + MulDivRound(right - left, SaturatingInt(p.x - xMin), nXRange);
      const int y = bottom + MulDivRound(top - bottom, SaturatingInt(p.y - yMin), nYRange);
      pDC->LineTo(x, y);
      series.marker.SetPosition(x, y);
      DrawPlotMarker(series.marker, pDC);
      pDC->MoveTo(x, y);
    }
  }
}

void CXYPlotCtrl::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  DrawPlot(&dc, client);
}

BOOL CXYPlotCtrl::OnEraseBkgnd(CDC*) {
  return TRUE;
}

void CXYPlotCtrl::OnLButtonDblClk(UINT, CPoint point) {
  const bool bOnXAxis =
      point.x >= m_nLeft && point.x <= m_nRight && point.y >= m_nBottom - 5 && point.y <= m_nBottom + 5;
  const bool bOnYAxis = point.x >= m_nLeft - 5 && point.x <= m_nLeft + 5 && point.y >= m_nTop && point.y <= m_nBottom;
  const bool bAxis = bOnXAxis || bOnYAxis;
  CColorDialog dlg(bAxis ? m_crAxis : m_crBackground, 0, this);
  if (dlg.DoModal() != IDOK)
    return;
  if (bAxis)
    m_crAxis = dlg.GetColor();
  else
    m_crBackground = dlg.GetColor();
  Invalidate();
}
