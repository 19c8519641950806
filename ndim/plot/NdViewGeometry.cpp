#include "ndim/plot/NdViewGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ndim/data/Spectrum2D.h"
#include "ndim/plot/NdAxisTicks.h"
#include "numerics/Saturate.h"

namespace {

// Keeps [first, last) inside [low, high) with at least one point; a range
// that holds no point stands for the whole of [0, count).
void LimitRange(LONG& first, LONG& last, LONG low, LONG high, int count) {
  low = std::max<LONG>(low, 0);
  high = std::min<LONG>(high, count);
  if (high <= low) {
    low = 0;
    high = count;
  }
  first = std::clamp<LONG>(first, low, high - 1);
  last = std::clamp<LONG>(last, first + 1, high);
}

}  // namespace

bool ZoomWindowFromBand(const CSpectrum2D& set, RECT band, RECT& window) {
  const NdMatrix m = MatrixOf(set);
  const RECT& plot = set.m_plotRect;
  if (band.left > band.right)
    std::swap(band.left, band.right);
  if (band.top > band.bottom)
    std::swap(band.top, band.bottom);
  if (m.IsEmpty() || band.right == band.left || band.bottom == band.top || plot.right <= plot.left ||
      plot.bottom <= plot.top)
    return false;
  band.top = std::max(band.top, plot.top);
  band.bottom = std::min(band.bottom, plot.bottom - 1);
  band.left = std::max(band.left, plot.left);
  band.right = std::min(band.right, plot.right);
  if (band.right <= band.left || band.bottom < band.top)
    return false;  // the band lay wholly beside the plot
  const CPoint topLeft = set.PixelToPoint(band.left, band.top);
  const CPoint bottomRight = set.PixelToPoint(band.right, band.bottom);
  // The pixel at the band's top lies in the last row shown: the window's
  // bottom, exclusive, is the row after it.
  RECT w = {topLeft.x, bottomRight.y, bottomRight.x, topLeft.y + 1};
  // A band zooms in: the plot's last pixel rounds to a point just outside
  // the window shown, which stays out.
  const RECT& shown = set.m_zoom;
  LimitRange(w.left, w.right, shown.left, shown.right, m.nColumns);
  LimitRange(w.top, w.bottom, shown.top, shown.bottom, m.nRows);
  window = w;
  return true;
}

std::string FormatNdPosition(const CSpectrum2D& set, int dim, int index) {
  const bool f1 = dim == 1;
  const int units = f1 ? set.m_axis.m_nUnitsF1 : set.m_axis.m_nUnitsF2;
  const double value = NdAxisValue(set.m_dims[f1 ? 1 : 2], index, units);
  char text[64];
  switch (units) {
    case ND_UNITS_SECONDS:
      std::snprintf(text, sizeof text, f1 ? "F1%.2lf sec" : "F2 %.2lf sec", value);
      break;
    case ND_UNITS_HZ:
      std::snprintf(text, sizeof text, f1 ? "F1 %.2lf Hz" : "F2 %.2lf Hz", value);
      break;
    case ND_UNITS_PPM:
      std::snprintf(text, sizeof text, f1 ? "F1 %.2lf ppm" : "F2 %.2lf ppm", value);
      break;
    default:
      std::snprintf(text, sizeof text, f1 ? "F1 %d pt" : "F2 %d pt", index);
      break;
  }
  return text;
}

std::string FormatNdCursorReadout(const CSpectrum2D& set, int column, int row) {
  return "Position=(" + FormatNdPosition(set, 2, column) + " , " + FormatNdPosition(set, 1, row) + ")";
}

int PickRowTracePoint(const CSpectrum2D& set, int x) {
  const LoadedTrace& trace = set.m_loadedF2;
  const int width = set.m_plotRect.right - set.m_plotRect.left;
  const int columns = set.m_dims[2].m_nPoints;
  const int points = trace.m_nFloats / 2;
  if (trace.m_pData == nullptr || points < 1 || width <= 0 || columns < 1)
    return 0;
  const long long c1 = MulDivRound(set.m_zoom.left, points, columns);
  const long long c2 = MulDivRound(set.m_zoom.right, points, columns);
  const long long n = (static_cast<long long>(x) - set.m_plotRect.left) * (c2 - c1) / width + c1;
  return static_cast<int>(std::clamp<long long>(n, 0, points - 1)) & ~1;
}

int LimitStripEdge(int position, int plotEdge) {
  return std::min(position, plotEdge - 5);
}

bool RescalePlotRect(RECT& plot, int lastWidth, int lastHeight, int width, int height) {
  if (width <= 0 || height <= 0)
    return false;
  const double rx = lastWidth > 0 ? static_cast<double>(width) / lastWidth : 1.0;
  const double ry = lastHeight > 0 ? static_cast<double>(height) / lastHeight : 1.0;
  plot.left = SaturatingInt(plot.left * rx);
  plot.right = SaturatingInt(plot.right * rx);
  plot.top = SaturatingInt(plot.top * ry);
  plot.bottom = SaturatingInt(plot.bottom * ry);
  return true;
}

void MoveAxisReference(DimensionBlock& dim, double currentPpm, double newPpm) {
  dim.m_fLastFrequency = static_cast<float>(dim.m_fLastFrequency + (newPpm - currentPpm) * dim.m_fSpectrometerFreq);
}

void ClearWizardPicks(CSpectrum2D& set) {
  for (LoadedTrace* trace : {&set.m_loadedF2, &set.m_loadedF1})
    trace->m_nWizardFirst = trace->m_nWizardSecond = -1;
}

bool ReferenceFromWizardPicks(CSpectrum2D& set) {
  const LoadedTrace& trace = set.m_loadedF2;
  DimensionBlock& f2 = set.m_dims[2];
  const int points = trace.m_nFloats / 2;
  if (!set.m_bWhichTrace || trace.m_pData == nullptr || trace.m_nWizardFirst < 0 || trace.m_nWizardFirst >= points ||
      trace.m_nWizardSecond < 0 || trace.m_nWizardSecond >= f2.m_nPoints || !(trace.m_fSpectrometerFreq > 0.0f) ||
      !(f2.m_fSpectrometerFreq > 0.0f))
    return false;
  DimensionBlock scale;
  scale.m_nPoints = points;
  scale.m_fSpectralWidth = trace.m_fSpectralWidth;
  scale.m_fLastFrequency = trace.m_fLastFrequency;
  scale.m_fSpectrometerFreq = trace.m_fSpectrometerFreq;
  MoveAxisReference(f2, NdAxisValue(f2, trace.m_nWizardSecond, ND_UNITS_PPM),
                    NdAxisValue(scale, trace.m_nWizardFirst, ND_UNITS_PPM));
  return true;
}

bool LensWindow(const CSpectrum2D& set, int lensLeft, int lensTop, int size, int magnification, NdWindow& window,
                RECT& dest) {
  const NdMatrix m = MatrixOf(set);
  const RECT& plot = set.m_plotRect;
  const RECT& zoom = set.m_zoom;
  const double plotWidth = static_cast<double>(plot.right) - plot.left;
  const double plotHeight = static_cast<double>(plot.bottom) - plot.top;
  if (m.IsEmpty() || size < 1 || magnification < 1 || plotWidth <= 0 || plotHeight <= 0 || zoom.right <= zoom.left ||
      zoom.bottom <= zoom.top)
    return false;
  // The source square, in view pixels, centred on the lens.
  const int side = std::max(1, static_cast<int>(static_cast<long long>(size) * 10 / magnification));
  const double x0 = static_cast<double>(lensLeft) + size / 2 - side / 2;
  const double y0 = static_cast<double>(lensTop) + size / 2 - side / 2;
  const double columnsPerPixel = (static_cast<double>(zoom.right) - zoom.left) / plotWidth;
  const double rowsPerPixel = (static_cast<double>(zoom.bottom) - zoom.top) / plotHeight;
  const double c0 = zoom.left + (x0 - plot.left) * columnsPerPixel;
  const double c1 = c0 + side * columnsPerPixel;
  const double rTop = zoom.bottom - (y0 - plot.top) * rowsPerPixel;  // rows grow upwards
  const double rBottom = rTop - side * rowsPerPixel;
  const double first = std::max(c0, 0.0), last = std::min(c1, static_cast<double>(m.nColumns));
  const double low = std::max(rBottom, 0.0), high = std::min(rTop, static_cast<double>(m.nRows));
  if (last <= first || high <= low)
    return false;
  NdWindow w;
  w.firstColumn = static_cast<int>(std::floor(first));
  w.lastColumn = std::max(w.firstColumn + 1, static_cast<int>(std::ceil(last)));
  w.firstRow = static_cast<int>(std::floor(low));
  w.lastRow = std::max(w.firstRow + 1, static_cast<int>(std::ceil(high)));
  // Whole cells are drawn where they lie; the lens window clips what
  // reaches past it.
  const double sx = size / (c1 - c0), sy = size / (rTop - rBottom);
  dest.left = SaturatingInt((w.firstColumn - c0) * sx);
  dest.right = SaturatingInt((w.lastColumn - c0) * sx);
  dest.top = SaturatingInt((rTop - w.lastRow) * sy);
  dest.bottom = SaturatingInt((rTop - w.firstRow) * sy);
  window = w;
  return true;
}
