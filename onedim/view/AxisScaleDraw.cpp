#include "onedim/view/AxisScaleDraw.h"

#include <algorithm>
#include <vector>

#include "framework/win/Dc.h"
#include "onedim/model/AxisScale.h"
#include "onedim/plot/PrintSettings.h"
#include "onedim/model/Spectrum.h"
#include "numerics/Saturate.h"

namespace {

const COLORREF kBandFill = RGB(191, 191, 191);
const COLORREF kBandEdge = RGB(127, 127, 127);

COLORREF AxisColour(const CAxisScale& scale, bool bPaper) {
  return bPaper && !GetPrintSettings().bPrintInColour ? RGB(0, 0, 0) : scale.m_crAxis;
}

void DrawAxisLine(const CAxisScale& scale, CDC* pDC, const CSpectrum& spectrum, bool bPaper, int nTopMargin,
                  int nLeftMargin) {
  const int nBottom = scale.m_rectClient.bottom;
  if (!scale.IsFloating() && !bPaper) {
    CBrush brush(kBandFill);
    CPen edge(PS_SOLID, 1, kBandEdge);
    CSelectGuard brushGuard(*pDC, &brush);
    CSelectGuard penGuard(*pDC, &edge);
    pDC->Rectangle(0, nBottom - 31, scale.m_rectClient.right, nBottom);
    pDC->MoveTo(0, nBottom - 31);
    pDC->LineTo(scale.m_rectClient.right, nBottom - 31);
    CSelectGuard whiteGuard(*pDC, WHITE_PEN);
    pDC->MoveTo(0, nBottom - 30);
    pDC->LineTo(scale.m_rectClient.right, nBottom - 30);
    return;
  }
  const int y = scale.GetLineY(bPaper, spectrum.m_dPrintScaleY, nTopMargin);
  pDC->MoveTo(SaturatingInt(nLeftMargin + (long double)spectrum.m_nLeftPixel * spectrum.m_dPrintScaleX), y);
  pDC->LineTo(SaturatingInt(nLeftMargin + (long double)spectrum.m_nRightPixel * spectrum.m_dPrintScaleX), y);
}

// The tick of the scale's current tick value at its x.
void DrawTick(const CAxisScale& scale, CDC* pDC, const CSpectrum& spectrum, bool bPaper, int nTopMargin) {
  const double fy = spectrum.m_dPrintScaleY;
  const bool bLine = scale.IsFloating() || bPaper;
  const bool bMajor = scale.m_bMinorTick == 0;
  const int nAxisY = bLine ? scale.GetLineY(bPaper, fy, nTopMargin) : scale.m_rectClient.bottom - 31;
  const int x = SaturatingInt((long double)scale.m_nTickX * spectrum.m_dPrintScaleX);
  const int nLength = SaturatingInt(fy * (bMajor ? 10 : 5));

  if (bLine) {
    CPen pen(PS_SOLID, 1, AxisColour(scale, bPaper));
    CSelectGuard penGuard(*pDC, &pen);
    pDC->MoveTo(x, nAxisY);
    pDC->LineTo(x, nAxisY + nLength);
  } else {
    // Engraved into the band: a grey groove with a white edge beside it.
    CPen groove(PS_SOLID, 1, kBandEdge);
    {
      CSelectGuard penGuard(*pDC, &groove);
      pDC->MoveTo(x - 1, nAxisY + 2);
      pDC->LineTo(x - 1, nAxisY + nLength + 2);
    }
    CSelectGuard whiteGuard(*pDC, WHITE_PEN);
    pDC->MoveTo(x, nAxisY + 1);
    pDC->LineTo(x, nAxisY + nLength + 2);
  }
  if (!bMajor)
    return;

  CString strLabel;
  scale.FormatLabel(strLabel, scale.m_dTickValue);
  const CSize extent = pDC->GetTextExtent(strLabel);
  int tx = x - extent.cx / 2;
  int ty = nAxisY + nLength - extent.cy / 4 + SaturatingInt(5 * fy);
  if (pDC->IsPrinting()) {
    // A label centred on a tick near an end of the plot would lie partly
    // off the paper, which shows only what is printable: it is moved in.
    tx = std::max(0, std::min(tx, pDC->GetDeviceCaps(HORZRES) - (int)extent.cx));
    ty = std::min(ty, pDC->GetDeviceCaps(VERTRES) - (int)extent.cy);
  }
  if (bLine) {
    pDC->TextOut(tx, ty, strLabel);
    return;
  }
  // Embossed: white, then black one pixel up and to the left.
  pDC->SetTextColor(RGB(255, 255, 255));
  pDC->TextOut(tx, ty, strLabel);
  pDC->SetTextColor(RGB(0, 0, 0));
  pDC->TextOut(tx - 1, ty - 1, strLabel);
  pDC->SetTextColor(scale.m_crText);
}

}  // namespace

BOOL DrawAxisScale(CAxisScale& scale, CDC* pDC, const CSpectrum& spectrum) {
  const CPrintSettings& settings = GetPrintSettings();
  const bool bPrinter = pDC->IsPrinting() != FALSE;
  const bool bPaper = bPrinter || settings.bRenderingMetafile;
  const double fx = spectrum.m_dPrintScaleX;
  const double fy = spectrum.m_dPrintScaleY;
  const int nLeftMargin = bPrinter ? settings.rcMargins.left : 0;
  const int nTopMargin = bPrinter ? settings.rcMargins.top : 0;
  const int nLeftOffset = bPrinter && fx != 0 ? SaturatingInt(nLeftMargin / fx) : 0;

  // Labels shrink on paper: 0.6 of the base height times the factor.
  LOGFONT lf = scale.m_lf;
  lf.lfHeight = bPaper ? SaturatingInt(scale.m_nBaseFontHeight * fy * 0.6) : scale.m_nBaseFontHeight;
  CFont font;
  font.CreateFontIndirect(&lf);
  CSelectGuard fontGuard(pDC->m_hDC, font.m_hObject != nullptr ? font.m_hObject : ::GetStockObject(SYSTEM_FONT));
  pDC->SetTextColor(scale.m_crText);

  AxisTickStep step;
  const std::vector<AxisTick> ticks = ComputeAxisTicks(scale.GetTickInput(spectrum, nLeftOffset), &step);
  scale.m_nDecimals = step.nDecimals;

  CPen pen;
  if (!pen.CreatePen(PS_SOLID, bPaper ? 2 : 1, AxisColour(scale, bPaper)))
    return FALSE;
  CSelectGuard penGuard(*pDC, &pen);
  DrawAxisLine(scale, pDC, spectrum, bPaper, nTopMargin, nLeftMargin);

  for (const AxisTick& tick : ticks) {
    scale.m_nTickX = tick.x;
    scale.m_dTickValue = tick.dValue;
    scale.m_bMinorTick = tick.bMajor ? 0 : 1;
    if (!tick.bMajor)
      scale.m_nLastMinorX = tick.x;
    DrawTick(scale, pDC, spectrum, bPaper, nTopMargin);
  }
  return TRUE;
}
