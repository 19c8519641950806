#include "onedim/model/TextLabel.h"

#include <cmath>
#include <cstring>

#include "onedim/model/Spectrum.h"
#include "numerics/Saturate.h"

IMPLEMENT_DYNCREATE(CTextLabel, CObject)

namespace {

// base + a x b / c, the quotient rounded to the nearest integer with halves
// away from zero, in wide arithmetic and saturated to the int range, so that
// positions read from a file can never overflow. Both builds place labels
// alike.
int MapRounded(long long base, long long a, long long b, long long c) {
  if (c == 0)
    return SaturatingInt((long double)base);
  long double q = (long double)a * (long double)b / (long double)c;
  q = q >= 0 ? floorl(q + 0.5L) : -floorl(-q + 0.5L);
  return SaturatingInt((long double)base + q);
}

}  // namespace

CTextLabel::CTextLabel()
    : m_x(100),
      m_y(100),
      m_rectDrawn(),
      m_crText(RGB(0, 0, 0)),
      m_pSpectrum(nullptr),
      m_nAlign(TEXT_ALIGN_LEFT),
      m_bAttached(0),
      m_nBaseHeight(0) {
  std::memset(&m_lf, 0, sizeof(m_lf));
}

CTextLabel::CTextLabel(LPCSTR pszText, const LOGFONT* pLogFont, CSpectrum* pSpectrum, COLORREF crText, BOOL bAttached,
                       int x, int y)
    : CTextLabel() {
  m_strText = pszText != nullptr ? pszText : "";
  if (pLogFont != nullptr) {
    m_lf = *pLogFont;
    m_lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  }
  m_pSpectrum = pSpectrum;
  m_crText = crText;
  m_bAttached = bAttached ? 1 : 0;
  m_x = m_bAttached ? PixelToPoint(x) : x;
  m_y = y;
  m_nBaseHeight = m_lf.lfHeight;
  m_nAlign = TEXT_ALIGN_LEFT;
}

CTextLabel::~CTextLabel() = default;

int CTextLabel::PixelToPoint(int x) const {
  if (m_pSpectrum == nullptr || m_pSpectrum->m_nRightPixel == m_pSpectrum->m_nLeftPixel)
    return x;
  const CSpectrum& s = *m_pSpectrum;
  return MapRounded(s.m_nFirst, (long long)x - s.m_nLeftPixel, (long long)s.m_nLast - s.m_nFirst,
                    (long long)s.m_nRightPixel - s.m_nLeftPixel);
}

int CTextLabel::PointToPixel(int nPoint) const {
  if (m_pSpectrum == nullptr || m_pSpectrum->m_nLast == m_pSpectrum->m_nFirst)
    return nPoint;
  const CSpectrum& s = *m_pSpectrum;
  return MapRounded(s.m_nLeftPixel, (long long)s.m_nRightPixel - s.m_nLeftPixel, (long long)nPoint - s.m_nFirst,
                    (long long)s.m_nLast - s.m_nFirst);
}

void CTextLabel::GetTextFlags(int nAlign, UINT& nMeasureFlags, UINT& nDrawFlags) {
  // DT_CALCRECT 1024, DT_CENTER 1, DT_RIGHT 2, DT_VCENTER 4, DT_TABSTOP 128.
  switch (nAlign) {
    case TEXT_ALIGN_CENTRE:
      nMeasureFlags = 1029;
      nDrawFlags = 133;
      break;
    case TEXT_ALIGN_RIGHT:
      nMeasureFlags = 1030;
      nDrawFlags = 6;
      break;
    default:
      nMeasureFlags = 1028;
      nDrawFlags = 4;
      break;
  }
}

POINT CTextLabel::GetDeviceAnchor(double dFactorX, double dFactorY, int nLeftMargin, int nTopMargin) const {
  const int x = m_bAttached ? PointToPixel(m_x) : m_x;
  POINT pt;
  pt.x = SaturatingInt((long double)x * dFactorX + nLeftMargin);
  pt.y = SaturatingInt((long double)m_y * dFactorY + nTopMargin);
  return pt;
}

int CTextLabel::GetDrawHeight(bool bPaper, double dFactorY) const {
  return bPaper ? SaturatingInt((long double)m_nBaseHeight * dFactorY) : m_nBaseHeight;
}
