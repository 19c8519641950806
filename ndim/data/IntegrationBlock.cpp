#include "ndim/data/IntegrationBlock.h"

#include <algorithm>
#include <cmath>

#include "framework/base/Archive.h"
#include "ndim/data/Spectrum2D.h"

IMPLEMENT_DYNAMIC(CIntegrationBlock, CObject)
IMPLEMENT_SERIAL(CRectBlock, CIntegrationBlock, 0)
IMPLEMENT_SERIAL(CElipBlock, CIntegrationBlock, 0)
IMPLEMENT_SERIAL(CRoundBlock, CIntegrationBlock, 0)

// Pen index as 16 bits, then left, top, right, bottom.
void CIntegrationBlock::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<WORD>(m_nPen) << m_rect.left << m_rect.top << m_rect.right << m_rect.bottom;
  } else {
    WORD pen = 0;
    ar >> pen >> m_rect.left >> m_rect.top >> m_rect.right >> m_rect.bottom;
    m_nPen = pen;
  }
}

double CIntegrationBlock::RectangleSum(CSpectrum2D& set) {
  const RECT& plot = set.m_plotRect;
  if (m_rect.top < plot.top)
    m_rect.top = plot.top;
  if (m_rect.bottom > plot.bottom)
    m_rect.bottom = plot.bottom;
  if (m_rect.left < plot.left)
    m_rect.left = plot.left;
  if (m_rect.right > plot.right)
    m_rect.right = plot.right;
  if (m_rect.right <= m_rect.left || m_rect.bottom <= m_rect.top)
    return 0.0;

  const int last = set.m_nLastDim;
  if (!set.m_pData || last < 1 || last >= CSpectrum2D::MaxDimensions)
    return 0.0;
  const CPoint topLeft = set.PixelToPoint(m_rect.left, m_rect.top);
  const CPoint bottomRight = set.PixelToPoint(m_rect.right, m_rect.bottom);
  if (topLeft.y == bottomRight.y)
    return 0.0;

  // Only points of the data may be summed, whatever the zoom says.
  const int columns = set.m_dims[last].m_nPoints;
  const int rows = set.m_dims[last - 1].m_nPoints;
  const int c1 = std::clamp<int>(topLeft.x, 0, columns), c2 = std::clamp<int>(bottomRight.x, 0, columns);
  const int r1 = std::clamp<int>(topLeft.y, 0, rows), r2 = std::clamp<int>(bottomRight.y, 0, rows);
  const std::size_t step = set.FloatsPerPoint();
  long double sum = 0;
  for (int r = r2; r < r1; ++r) {
    const float* p = set.m_pData + step * (static_cast<std::size_t>(r) * columns);
    for (int c = c1; c < c2; ++c)
      sum += p[step * c];
  }
  return static_cast<double>(sum);
}

CString CIntegrationBlock::GetLabelText(CSpectrum2D& set) {
  const double v = Integrate(set);
  double r = set.m_pReferenceRegion ? set.m_pReferenceRegion->Integrate(set) : 1.0;
  if (std::fabs(r) < 1e-7)
    r = 1.0;
  CString text;
  text.Format("%.2lf", v / r * set.m_dReferenceIntegral);
  return text;
}
