#include "ndim/view/NdAxisDraw.h"

#include <vector>

#include "framework/win/Dc.h"
#include "ndim/data/NdAxisScale.h"
#include "onedim/model/ColourFont.h"
#include "ndim/plot/NdAxisTicks.h"
#include "numerics/Saturate.h"

namespace {

// The label font selected, scaled to 0.9 of its height times the y factor,
// the text transparent in the font's colour, all put back afterwards.
class CAxisTextScope {
 public:
  CAxisTextScope(CDC& dc, const CColourFont& font, double yFactor) : m_dc(dc) {
    LOGFONT lf = font.GetLogFont();
    lf.lfHeight = SaturatingInt(lf.lfHeight * yFactor * 0.9);
    m_font.CreateFontIndirect(&lf);
    m_hOldFont = ::SelectObject(dc.GetSafeHdc(),
                                m_font.GetSafeHandle() ? m_font.GetSafeHandle() : ::GetStockObject(SYSTEM_FONT));
    m_nOldMode = dc.SetBkMode(TRANSPARENT);
    m_crOld = dc.SetTextColor(font.GetTextColour());
  }
  ~CAxisTextScope() {
    m_dc.SetTextColor(m_crOld);
    m_dc.SetBkMode(m_nOldMode);
    ::SelectObject(m_dc.GetSafeHdc(), m_hOldFont);
  }
  CAxisTextScope(const CAxisTextScope&) = delete;
  CAxisTextScope& operator=(const CAxisTextScope&) = delete;

 private:
  CDC& m_dc;
  CFont m_font;
  HGDIOBJ m_hOldFont;
  int m_nOldMode;
  COLORREF m_crOld;
};

std::vector<NdAxisTick> Ticks(NdAxisScale& scale, double start, double end, int from, int to, double factor) {
  NdAxisInput in;
  in.dStart = start;
  in.dEnd = end;
  in.nStartPixel = from;
  in.nEndPixel = to;
  in.dFactor = factor;
  AxisTickStep step;
  std::vector<NdAxisTick> ticks = ComputeNdAxisTicks(in, &step);
  scale.m_nDecimals = step.nDecimals;
  return ticks;
}

}  // namespace

void DrawF2Axis(CDC* pDC, NdAxisScale& scale, const CColourFont& font, double start, double end, const RECT& plot) {
  const double fx = scale.m_dPrintFactorX, fy = scale.m_dPrintFactorY;
  CAxisTextScope text(*pDC, font, fy);
  CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
  CSelectGuard penGuard(*pDC, &pen);

  const int y = SaturatingInt((plot.bottom + 10.0) * fy);
  const int x2 = SaturatingInt(plot.right * fx);
  pDC->MoveTo(SaturatingInt(plot.left * fx), y);
  pDC->LineTo(x2, y);
  const CString unit = NdUnitText(scale.m_nUnitsF2);
  const CSize unitSize = pDC->GetTextExtent(unit);
  pDC->TextOut(x2 - unitSize.cx, y + 2 * unitSize.cy, unit);

  const int major = SaturatingInt(10 * fy), minor = SaturatingInt(5 * fy);
  for (const NdAxisTick& tick : Ticks(scale, start, end, plot.left, plot.right, fx)) {
    pDC->MoveTo(tick.nPosition, y);
    pDC->LineTo(tick.nPosition, y + (tick.bMajor ? major : minor));
    if (!tick.bMajor)
      continue;
    const CString label = FormatAxisLabel(tick.dValue, scale.m_nDecimals);
    const CSize size = pDC->GetTextExtent(label);
    pDC->TextOut(tick.nPosition - size.cx / 2, SaturatingInt(y + 15 * fy) - size.cy / 4, label);
  }
}

void DrawF1Axis(CDC* pDC, NdAxisScale& scale, const CColourFont& font, double start, double end, const RECT& plot) {
  const double fx = scale.m_dPrintFactorX, fy = scale.m_dPrintFactorY;
  CAxisTextScope text(*pDC, font, fy);
  CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
  CSelectGuard penGuard(*pDC, &pen);

  const int x = SaturatingInt((plot.right + 10.0) * fx);
  const int y2 = SaturatingInt(plot.bottom * fy);
  pDC->MoveTo(x, SaturatingInt(plot.top * fy));
  pDC->LineTo(x, y2);
  const CString unit = NdUnitText(scale.m_nUnitsF1);
  const CSize unitSize = pDC->GetTextExtent(unit);
  pDC->TextOut(SaturatingInt(plot.right * fx) + unitSize.cx, y2, unit);

  const int major = SaturatingInt(10 * fy), minor = SaturatingInt(5 * fy);
  for (const NdAxisTick& tick : Ticks(scale, start, end, plot.top, plot.bottom, fy)) {
    pDC->MoveTo(x, tick.nPosition);
    pDC->LineTo(x + (tick.bMajor ? major : minor), tick.nPosition);
    if (!tick.bMajor)
      continue;
    const CString label = FormatAxisLabel(tick.dValue, scale.m_nDecimals);
    const CSize size = pDC->GetTextExtent(label);
    pDC->TextOut(SaturatingInt(x + 15 * fy), tick.nPosition - size.cy / 2, label);
  }
}
