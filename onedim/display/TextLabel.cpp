#include "onedim/display/TextLabel.h"

#include <cstring>

#include "onedim/document/Spectrum.h"

IMPLEMENT_DYNCREATE(CTextLabel, CObject)

namespace {

// a x b / c rounded to the nearest integer, halves away from zero; -1 when c
// is 0 or the result does not fit, as the Win32 call answers. Written here so
// that both builds place labels alike.
int MulDivRounded(int a, int b, int c) {
  if (c == 0)
    return -1;
  long long num = (long long)a * b;
  long long den = c;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  long long result = num >= 0 ? (num + den / 2) / den : (num - den / 2) / den;
  if (result > 2147483647LL || result < -2147483647LL)
    return -1;
  return (int)result;
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
#ifdef _WIN32
  m_hFont = nullptr;
#endif
}

CTextLabel::CTextLabel(LPCSTR pszText, const LOGFONT* pLogFont, CSpectrum* pSpectrum,
                       COLORREF crText, BOOL bAttached, int x, int y)
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
  return s.m_nFirst + MulDivRounded(x - s.m_nLeftPixel, s.m_nLast - s.m_nFirst,
                                    s.m_nRightPixel - s.m_nLeftPixel);
}

int CTextLabel::PointToPixel(int nPoint) const {
  if (m_pSpectrum == nullptr || m_pSpectrum->m_nLast == m_pSpectrum->m_nFirst)
    return nPoint;
  const CSpectrum& s = *m_pSpectrum;
  return s.m_nLeftPixel + MulDivRounded(s.m_nRightPixel - s.m_nLeftPixel, nPoint - s.m_nFirst,
                                        s.m_nLast - s.m_nFirst);
}
