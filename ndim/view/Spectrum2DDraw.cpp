// The drawing members of CSpectrum2D: the plot by display mode, the trace
// strips, the frame and the axes.
#include "ndim/view/Spectrum2DDraw.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/win/Dc.h"
#include "framework/win/RectTracker.h"
#include "framework/win/WaitCursor.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/plot/NdAxisTicks.h"
#include "ndim/plot/NdPlotGeometry.h"
#include "ndim/plot/StripTrace.h"
#include "ndim/view/NdPlotDraw.h"
#include "numerics/Saturate.h"

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const char kNoDataMessage[] = "No data available\r\nPress right button to load a new data set";
const char kNoDataLine1[] = "No data available";
const char kNoDataLine2[] = "Press right button to load a new data set";

// Puts back the pen the DC had on entry, whatever was selected since.
class CPenKeeper {
 public:
  explicit CPenKeeper(CDC& dc) : m_dc(dc), m_hPen(::GetCurrentObject(dc.GetSafeHdc(), OBJ_PEN)) {}
  ~CPenKeeper() { ::SelectObject(m_dc.GetSafeHdc(), m_hPen); }
  CPenKeeper(const CPenKeeper&) = delete;
  CPenKeeper& operator=(const CPenKeeper&) = delete;

 private:
  CDC& m_dc;
  HGDIOBJ m_hPen;
};

// A screen DC shows what only makes sense on screen: trackers, strip
// messages and borders. Printers and metafiles (the clipboard's and an
// embedding container's) are paper.
bool IsScreen(CDC* pDC) {
  const DWORD type = ::GetObjectType(pDC->GetSafeHdc());
  return !pDC->IsPrinting() && type != OBJ_ENHMETADC && type != OBJ_METADC;
}

bool OutsideUnity(double factor) {
  return factor < 0.999999 || factor > 1.00001;
}

CRect Scaled(const CSpectrum2D& set, const RECT& r) {
  RECT s = r;
  set.ScaleRect(s);
  return CRect(s);
}

void DrawTracker(CSpectrum2D& set, CDC* pDC) {
  if (set.m_bShowTracker && !pDC->IsPrinting()) {
    CRectTracker tracker(&set.m_plotRect, CRectTracker::dottedLine | CRectTracker::resizeInside);
    tracker.Draw(pDC);
  }
}

void DrawContours(CSpectrum2D& set, CDC* pDC, const NdMatrix& m, const NdWindow& w) {
  CRect dest = set.m_plotRect;
  if (OutsideUnity(set.m_dPrintFactorX) || OutsideUnity(set.m_dPrintFactorY))
    dest = Scaled(set, dest);
  CContourPens positive(set.m_positiveColours);
  CContourPens negative(set.m_negativeColours);
  DrawContour(pDC, m, w, dest, set.m_nPositiveLevels, set.m_fLowestLevel, set.m_fLevelRatio, positive);
  DrawContour(pDC, m, w, dest, set.m_nNegativeLevels, -set.m_fLowestLevel, set.m_fLevelRatio, negative);
}

void DrawRasterOf(CSpectrum2D& set, CDC* pDC, const NdMatrix& m, const NdWindow& w) {
  const RasterPalette palette = {set.m_red, set.m_green, set.m_blue};
  DrawRaster(pDC, Scaled(set, set.m_plotRect), m, w, set.m_fLowestLevel, set.m_fLevelRatio, palette);
}

// Text in the strips' 14-pixel font, turned by the escapement (tenths of a
// degree); line breaks start new lines when it is not turned.
void DrawStripText(CDC* pDC, int x, int y, const char* text, COLORREF colour, int escapement) {
  CFont font;
  font.CreateFont(14, 0, escapement, escapement, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  CSelectGuard fontGuard(pDC->GetSafeHdc(),
                         font.GetSafeHandle() ? font.GetSafeHandle() : ::GetStockObject(SYSTEM_FONT));
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF oldColour = pDC->SetTextColor(colour);
  if (escapement == 0) {
    RECT r = {x, y, x + 32767, y + 32767};
    pDC->DrawText(text, static_cast<int>(std::strlen(text)), &r, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_NOCLIP);
  } else {
    pDC->TextOut(x, y, text, static_cast<int>(std::strlen(text)));
  }
  pDC->SetTextColor(oldColour);
  pDC->SetBkMode(oldMode);
}

void DrawNumber(CDC* pDC, const RECT& strip, int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", number);
  DrawStripText(pDC, strip.left + 3, strip.top + 7, text, kRed, 0);
}

// Black lines along the given sides: the strip's outer edges.
void DrawBorder(CDC* pDC, const POINT* corners, int n) {
  CPen pen(PS_SOLID, 1, kBlack);
  CSelectGuard penGuard(*pDC, &pen);
  pDC->Polyline(corners, n);
}

// The part of a loaded trace that matches the visible range of its
// dimension: float indices mapped with MulDiv and made even.
bool LoadedRange(const LoadedTrace& trace, int first, int last, int count, int& from, int& points) {
  if (!trace.m_pData || trace.m_nFloats < 2 || count < 1)
    return false;
  from = MulDivRound(first, trace.m_nFloats, count) & ~1;
  int to = MulDivRound(last, trace.m_nFloats, count) & ~1;
  if (to > (trace.m_nFloats & ~1))
    to = trace.m_nFloats & ~1;
  points = (to - from) / 2;
  return from >= 0 && points > 0;
}

void DrawTopStrip(CSpectrum2D& set, CDC* pDC, const NdMatrix& m, const NdWindow& w, double zoom, bool screen) {
  const CRect strip = Scaled(set, set.m_traceF2.m_rect);
  if (set.m_bShowLoadedF2) {
    int from, points;
    if (LoadedRange(set.m_loadedF2, w.firstColumn, w.lastColumn, m.nColumns, from, points))
      CSpectrum2D::DrawTrace(pDC, set.m_loadedF2.m_pData + from, points, 2, set.m_traceF2, strip, true, zoom);
    else if (screen)
      DrawStripText(pDC, strip.left + 3, strip.top + 7, kNoDataMessage, kBlack, 0);
  } else if (set.m_bShowProjectionF2) {
    if (set.m_pProjectionF2)
      CSpectrum2D::DrawTrace(pDC, set.m_pProjectionF2 + w.firstColumn, w.Columns(), 1, set.m_traceF2, strip, true,
                             zoom);
  } else if (!m.IsEmpty() && set.m_nSelectedRow >= 0 && set.m_nSelectedRow < m.nRows) {
    const float* row =
        m.pData + ((static_cast<std::size_t>(set.m_nSelectedRow) * m.nColumns + w.firstColumn) << m.nShift);
    CSpectrum2D::DrawTrace(pDC, row, w.Columns(), 1 << m.nShift, set.m_traceF2, strip, true, zoom);
    if (screen)
      DrawNumber(pDC, strip, set.m_nSelectedRow);
  }
  if (screen) {
    const POINT sides[4] = {
        {strip.left, strip.bottom}, {strip.left, strip.top}, {strip.right, strip.top}, {strip.right, strip.bottom}};
    DrawBorder(pDC, sides, 4);
  }
}

void DrawSideStrip(CSpectrum2D& set, CDC* pDC, const NdMatrix& m, const NdWindow& w, double zoom, bool screen) {
  const CRect strip = Scaled(set, set.m_traceF1.m_rect);
  if (set.m_bShowLoadedF1) {
    int from, points;
    if (LoadedRange(set.m_loadedF1, w.firstRow, w.lastRow, m.nRows, from, points)) {
      CSpectrum2D::DrawTrace(pDC, set.m_loadedF1.m_pData + from, points, 2, set.m_traceF1, strip, false, zoom);
    } else if (screen) {
      // Two lines written upwards, centred on the strip's height.
      const int middle = (strip.top + strip.bottom) / 2;
      const CSize one = pDC->GetTextExtent(kNoDataLine1, static_cast<int>(std::strlen(kNoDataLine1)));
      const CSize two = pDC->GetTextExtent(kNoDataLine2, static_cast<int>(std::strlen(kNoDataLine2)));
      DrawStripText(pDC, strip.left + 5, middle + one.cx / 2, kNoDataLine1, kBlack, 900);
      DrawStripText(pDC, strip.left + 25, middle + two.cx / 2, kNoDataLine2, kBlack, 900);
    }
  } else if (set.m_bShowProjectionF1) {
    if (set.m_pProjectionF1)
      CSpectrum2D::DrawTrace(pDC, set.m_pProjectionF1 + w.firstRow, w.Rows(), 1, set.m_traceF1, strip, false, zoom);
  } else if (!m.IsEmpty() && set.m_nSelectedColumn >= 0 && set.m_nSelectedColumn < m.nColumns) {
    const float* column =
        m.pData + ((static_cast<std::size_t>(w.firstRow) * m.nColumns + set.m_nSelectedColumn) << m.nShift);
    CSpectrum2D::DrawTrace(pDC, column, w.Rows(), m.nColumns << m.nShift, set.m_traceF1, strip, false, zoom);
    if (screen)
      DrawNumber(pDC, strip, set.m_nSelectedColumn);
  }
  if (screen) {
    const POINT sides[4] = {
        {strip.right, strip.top}, {strip.left, strip.top}, {strip.left, strip.bottom}, {strip.right, strip.bottom}};
    DrawBorder(pDC, sides, 4);
  }
}

void DrawStrips(CSpectrum2D& set, CDC* pDC, const NdMatrix& m, const NdWindow& w) {
  double zoom = 1.0;
  if (pDC->IsPrinting())
    zoom = set.m_dPrintFactorX > 1.01 ? set.m_dPrintFactorX : set.m_dPrintFactorY;
  const bool screen = IsScreen(pDC);
  DrawTopStrip(set, pDC, m, w, zoom, screen);
  DrawSideStrip(set, pDC, m, w, zoom, screen);
}

void DrawAxes(CSpectrum2D& set, CDC* pDC, const NdDrawSettings& settings) {
  const RECT& zoom = set.m_zoom;
  if (settings.m_bShowF2Axis) {
    const DimensionBlock& f2 = set.m_dims[2];
    const int units = set.m_axis.m_nUnitsF2;
    DrawF2Axis(pDC, set.m_axis, settings.m_fontF2, NdAxisValue(f2, zoom.left, units),
               NdAxisValue(f2, zoom.right, units), set.m_plotRect);
  }
  if (settings.m_bShowF1Axis) {
    const DimensionBlock& f1 = set.m_dims[1];
    const int units = set.m_axis.m_nUnitsF1;
    DrawF1Axis(pDC, set.m_axis, settings.m_fontF1, NdAxisValue(f1, zoom.bottom, units),
               NdAxisValue(f1, zoom.top, units), set.m_plotRect);
  }
}

NdDrawSettings* g_pDrawSettings = nullptr;

}  // namespace

NdDrawSettings& GetNdDrawSettings() {
  static NdDrawSettings defaults;
  return g_pDrawSettings != nullptr ? *g_pDrawSettings : defaults;
}

void SetNdDrawSettings(NdDrawSettings* pSettings) {
  g_pDrawSettings = pSettings;
}

void CSpectrum2D::DrawPlot(CDC* pDC) {
  const NdMatrix m = MatrixOf(*this);
  const NdWindow w = ClampWindow(m_zoom, m);
  switch (m_nDisplayMode) {
    case 0:
      DrawRasterOf(*this, pDC, m, w);
      DrawTracker(*this, pDC);
      break;
    case 1:
      DrawContours(*this, pDC, m, w);
      DrawTracker(*this, pDC);
      break;
    case 2:
      DrawStacked(pDC, m, m_plotRect, w, m_fStackScale);
      break;
    case 3:
      DrawWhitewash(pDC, m, Scaled(*this, m_plotRect), w, m_fStackScale, m_dPrintFactorY);
      break;
    case 4:
      DrawRasterOf(*this, pDC, m, w);
      DrawContours(*this, pDC, m, w);
      DrawTracker(*this, pDC);
      break;
    default:
      break;
  }
}

void CSpectrum2D::Draw(CDC* pDC) {
  CPenKeeper pen(*pDC);
  if (m_bPlotDirty) {
    CWaitCursor wait;
    DrawPlot(pDC);
  }
  if (m_bSliceDisplay) {
    const NdMatrix m = MatrixOf(*this);
    DrawStrips(*this, pDC, m, ClampWindow(m_zoom, m));
  }
  {
    const CRect frame = Scaled(*this, m_plotRect);
    CPen black(PS_SOLID, 1, kBlack);
    CSelectGuard penGuard(*pDC, &black);
    const POINT corners[5] = {{frame.left, frame.top},
                              {frame.right, frame.top},
                              {frame.right, frame.bottom},
                              {frame.left, frame.bottom},
                              {frame.left, frame.top}};
    pDC->Polyline(corners, 5);
  }
  DrawAxes(*this, pDC, GetNdDrawSettings());
}

void CSpectrum2D::DrawTrace(CDC* pDC, const float* values, int n, int stride, const ProjectionTrace& trace,
                            const RECT& strip, bool horizontal, double zoom) {
  StripTraceStyle style;
  style.nOffset = trace.m_nOffset;
  style.dScale = trace.m_dScale;
  style.dZoom = zoom;
  const std::vector<POINT> points = horizontal ? BuildHorizontalTrace(values, n, stride, strip, style)
                                               : BuildVerticalTrace(values, n, stride, strip, style);
  if (points.empty())
    return;
  CPen pen(PS_SOLID, 1, trace.m_colour);
  CSelectGuard penGuard(*pDC, &pen);
  pDC->Polyline(points.data(), static_cast<int>(points.size()));
}

BOOL CreateSpectrumPalette(const CSpectrum2D& set, CPalette& palette) {
  std::vector<BYTE> block(sizeof(LOGPALETTE) + CSpectrum2D::PaletteSize * sizeof(PALETTEENTRY));
  LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(block.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = CSpectrum2D::PaletteSize;
  for (int i = 0; i < CSpectrum2D::PaletteSize; ++i)
    lp->palPalEntry[i] = {set.m_red[i], set.m_green[i], set.m_blue[i], 0};
  palette.DeleteObject();
  return palette.CreatePalette(lp);
}
