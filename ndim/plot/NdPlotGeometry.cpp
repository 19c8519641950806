#include "ndim/plot/NdPlotGeometry.h"

#include "ndim/data/Spectrum2D.h"
#include "numerics/Saturate.h"

NdMatrix MatrixOf(const CSpectrum2D& set) {
  NdMatrix m;
  if (!set.m_pData || set.m_nLastDim != 2)
    return m;
  m.pData = set.m_pData;
  m.nColumns = set.m_dims[2].m_nPoints;
  m.nRows = set.m_dims[1].m_nPoints;
  m.nShift = set.m_bReal ? 0 : 1;
  if (m.nColumns < 1 || m.nRows < 1)
    m = NdMatrix();
  return m;
}

namespace {
int Clamp(LONG v, int hi) {
  return v < 0 ? 0 : (v > hi ? hi : static_cast<int>(v));
}
}  // namespace

NdWindow ClampWindow(const RECT& zoom, const NdMatrix& m) {
  NdWindow w;
  w.firstColumn = Clamp(zoom.left, m.nColumns);
  w.lastColumn = Clamp(zoom.right, m.nColumns);
  w.firstRow = Clamp(zoom.top, m.nRows);
  w.lastRow = Clamp(zoom.bottom, m.nRows);
  if (w.lastColumn < w.firstColumn)
    w.lastColumn = w.firstColumn;
  if (w.lastRow < w.firstRow)
    w.lastRow = w.firstRow;
  return w;
}

CNdPixelMap::CNdPixelMap(const NdWindow& window, const RECT& dest) {
  const int columns = window.Columns() > 0 ? window.Columns() : 1;
  const int rows = window.Rows() > 0 ? window.Rows() : 1;
  m_sx = (static_cast<double>(dest.right) - dest.left) / columns;
  m_sy = (static_cast<double>(dest.bottom) - dest.top) / -rows;
  m_left = dest.left;
  m_bottom = dest.bottom;
  m_firstColumn = window.firstColumn;
  m_firstRow = window.firstRow;
}

int CNdPixelMap::X(double column) const {
  return SaturatingInt(m_left + (column - m_firstColumn + 0.5) * m_sx);
}

int CNdPixelMap::Y(double row) const {
  return SaturatingInt(m_bottom + (row - m_firstRow + 0.5) * m_sy);
}
