#include "ndim/view/NdPlotDraw.h"

#include <vector>

#include "framework/win/Dc.h"
#include "ndim/plot/ContourPlot.h"
#include "ndim/plot/Dib.h"
#include "ndim/plot/StackedPlot.h"
#include "ndim/view/DibSection.h"

namespace {

const COLORREF kStackBlue = RGB(0, 0, 255);

// One PolyPolyline of two-point lines per batch, in the level's pen.
class CContourDrawer : public CContourSink {
 public:
  CContourDrawer(CDC& dc, CContourPens& pens) : m_dc(dc), m_pens(pens) {}
  void Segments(int level, const POINT* points, int nPoints) override {
    m_counts.assign(nPoints / 2, 2);
    CSelectGuard pen(m_dc, m_pens.ForLevel(level));
    m_dc.PolyPolyline(points, m_counts.data(), static_cast<int>(m_counts.size()));
  }

 private:
  CDC& m_dc;
  CContourPens& m_pens;
  std::vector<DWORD> m_counts;
};

class CRowDrawer : public CStackedSink {
 public:
  CRowDrawer(CDC& dc, CPen& pen, bool whitewash) : m_dc(dc), m_pen(pen), m_bWhitewash(whitewash) {}
  void Row(const POINT* points, int nPoints) override {
    if (m_bWhitewash) {
      CSelectGuard noPen(m_dc, NULL_PEN);
      CSelectGuard white(m_dc, WHITE_BRUSH);
      m_dc.Polygon(points, nPoints);
    }
    CSelectGuard pen(m_dc, &m_pen);
    m_dc.MoveTo(points[0]);
    m_dc.Polyline(points, nPoints);
  }

 private:
  CDC& m_dc;
  CPen& m_pen;
  bool m_bWhitewash;
};

BOOL DrawRows(CDC* pDC, const NdMatrix& m, const RECT& dest, const NdWindow& window, float verticalScale,
              double heightFactor, bool whitewash) {
  CPen pen;
  if (!pen.CreatePen(PS_SOLID, 1, kStackBlue))
    return FALSE;
  CRowDrawer drawer(*pDC, pen, whitewash);
  TraceStackedRows(m, window, dest, verticalScale, heightFactor, drawer);
  return TRUE;
}

}  // namespace

CContourPens::CContourPens(const COLORREF* colours) {
  for (int i = 0; i < Count; ++i)
    m_pens[i].CreatePen(PS_SOLID, 1, colours[i]);
}

void DrawContour(CDC* pDC, const NdMatrix& m, const NdWindow& window, const RECT& dest, int count, float firstLevel,
                 float ratio, CContourPens& pens) {
  CContourDrawer drawer(*pDC, pens);
  TraceContours(m, window, dest, count, firstLevel, ratio, drawer);
}

BOOL DrawRaster(CDC* pDC, const RECT& dest, const NdMatrix& m, const NdWindow& window, float threshold, float ratio,
                const RasterPalette& palette) {
  const int width = dest.right - dest.left;
  const int height = dest.bottom - dest.top;
  if (width < 1 || height < 1)
    return TRUE;
  const SIZE size = RasterBitmapSize(window, width, height);
  CDib dib(size.cx, size.cy, 24);
  CDibSection section(dib);
  if (!section.CreateSection(pDC))
    return FALSE;
  FillRaster(m, window, CRasterScale(threshold, ratio), palette, dib.m_lpImage, size.cx, size.cy);
  ::GdiFlush();
  return section.Draw(pDC, dest.left, dest.top, width, height, TRUE);
}

BOOL DrawStacked(CDC* pDC, const NdMatrix& m, const RECT& dest, const NdWindow& window, float verticalScale) {
  return DrawRows(pDC, m, dest, window, verticalScale, 1.0, false);
}

BOOL DrawWhitewash(CDC* pDC, const NdMatrix& m, const RECT& dest, const NdWindow& window, float verticalScale,
                   double heightFactor) {
  return DrawRows(pDC, m, dest, window, verticalScale, heightFactor, true);
}
