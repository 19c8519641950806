#include "onedim/view/SpectrumDraw.h"

#include <vector>

#include "framework/win/Dc.h"
#include "onedim/model/Integral.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/TextLabel.h"
#include "onedim/plot/PrintSettings.h"
#include "onedim/plot/SpectrumTrace.h"
#include "onedim/plot/ViewGeometry.h"
#include "onedim/view/AxisScaleDraw.h"
#include "onedim/view/TextLabelDraw.h"

namespace {

IntegralDrawer g_pfnDrawIntegral = nullptr;
PeakLabelDrawer g_pfnDrawPeakLabels = nullptr;

TraceDevice DeviceOf(CDC* pDC) {
  const CPrintSettings& settings = GetPrintSettings();
  TraceDevice device;
  device.bPrinter = pDC->IsPrinting() != FALSE;
  device.bMetafile = settings.bRenderingMetafile != FALSE;
  device.rcMargins = settings.rcMargins;
  device.nVertRes = pDC->GetDeviceCaps(VERTRES);
  return device;
}

// Paper and the clipboard picture get black traces unless colour printing is on.
COLORREF TraceColour(const CSpectrum& s, const TraceDevice& device) {
  if ((device.bPrinter || device.bMetafile) && !GetPrintSettings().bPrintInColour)
    return RGB(0, 0, 0);
  return s.m_crTrace;
}

BOOL DrawTrace(const CSpectrum& s, CDC* pDC) {
  const TraceDevice device = DeviceOf(pDC);
  CPen pen;
  if (!pen.CreatePen(PS_SOLID, s.m_nLineThickness, TraceColour(s, device)))
    return FALSE;
  const std::vector<POINT> points = BuildColumnTrace(s.m_pData, MakeTraceMapping(s, device, true));
  if (points.empty())
    return TRUE;
  CSelectGuard guard(*pDC, &pen);
  pDC->MoveTo(points[0]);
  for (size_t k = 1; k < points.size(); k++)
    pDC->LineTo(points[k]);
  return TRUE;
}

// Display modes 1 to 3: dots, circles or crosses at the points.
BOOL DrawPoints(const CSpectrum& s, CDC* pDC) {
  const TraceDevice device = DeviceOf(pDC);
  CPen pen;
  const int nWidth = (int)(s.m_nLineThickness * s.m_dPrintScaleX);
  if (!pen.CreatePen(PS_SOLID, nWidth, TraceColour(s, device)))
    return FALSE;
  const TraceMapping m = MakeTraceMapping(s, device, false);
  if (s.m_pData == nullptr || m.IsEmpty() || m.nLast <= m.nFirst)
    return TRUE;
  CSelectGuard guard(*pDC, &pen);
  pDC->MoveTo(m.MapX(m.nBegin), m.MapY(s.m_pData[m.nBegin]));
  for (int i = m.nBegin; i < m.nEnd; i += 2) {
    const int x = m.MapX(i);
    const int y = m.MapY(s.m_pData[i]);
    switch (s.m_nDisplayMode) {
      case 1:
        // Dots keep the trace colour even where paper turns the pen black.
        ::SetPixelV(pDC->m_hDC, x, y, s.m_crTrace);
        break;
      case 2:
        pDC->Ellipse(x - 2, y - 2, x + 2, y + 2);
        break;
      default:
        pDC->MoveTo(x - 2, y - 2);
        pDC->LineTo(x + 2, y + 2);
        pDC->MoveTo(x + 2, y - 2);
        pDC->LineTo(x - 2, y + 2);
        break;
    }
  }
  return TRUE;
}

// The first-order phase pivot: a red arrow at the top and a line down to a
// square on the zero line.
void DrawPivot(const CSpectrum& s, CDC* pDC) {
  if (s.m_nLast == s.m_nFirst)
    return;
  const int x = SpectrumPointToPixel(s, s.m_nPivot);
  const int y0 = (int)(((long long)s.m_rectPlot.top + s.m_rectPlot.bottom) / 2);
  CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
  CBrush arrowBrush(RGB(255, 0, 0));
  CBrush whiteBrush(RGB(255, 255, 255));
  CSelectGuard penGuard(*pDC, &pen);
  {
    CSelectGuard brushGuard(*pDC, &arrowBrush);
    const POINT arrow[7] = {{x, 40}, {x - 6, 34}, {x - 3, 34}, {x - 3, 28}, {x + 3, 28}, {x + 3, 34}, {x + 6, 34}};
    pDC->Polygon(arrow, 7);
  }
  CSelectGuard brushGuard(*pDC, &whiteBrush);
  pDC->MoveTo(x, 40);
  pDC->LineTo(x, y0);
  pDC->Rectangle(x - 3, y0 - 3, x + 3, y0 + 3);
}

}  // namespace

IntegralDrawer SetIntegralDrawer(IntegralDrawer pfnDraw) {
  IntegralDrawer pfnOld = g_pfnDrawIntegral;
  g_pfnDrawIntegral = pfnDraw;
  return pfnOld;
}

PeakLabelDrawer SetPeakLabelDrawer(PeakLabelDrawer pfnDraw) {
  PeakLabelDrawer pfnOld = g_pfnDrawPeakLabels;
  g_pfnDrawPeakLabels = pfnDraw;
  return pfnOld;
}

BOOL DrawSpectrumTrace(const CSpectrum& s, CDC* pDC) {
  switch (s.m_nDisplayMode) {
    case 0:
      return DrawTrace(s, pDC);
    case 1:
    case 2:
    case 3:
      return DrawPoints(s, pDC);
    default:
      return TRUE;
  }
}

BOOL DrawSpectrum(CSpectrum& s, CDC* pDC) {
  DrawSpectrumTrace(s, pDC);
  if (s.m_bShowScale)
    DrawAxisScale(s.m_Scale, pDC, s);
  if (s.m_bPhaseDisplay)
    DrawPivot(s, pDC);
  if (g_pfnDrawIntegral != nullptr) {
    for (INT_PTR i = 0; i < s.m_arrIntegrals.GetSize(); i++)
      g_pfnDrawIntegral(static_cast<CIntegral*>(s.m_arrIntegrals.GetAt(i)), pDC);
  }
  for (INT_PTR i = 0; i < s.m_arrLabels.GetSize(); i++)
    DrawTextLabel(*static_cast<CTextLabel*>(s.m_arrLabels.GetAt(i)), pDC);
  if (s.m_bShowPeaks && g_pfnDrawPeakLabels != nullptr)
    g_pfnDrawPeakLabels(&s, pDC);
  return TRUE;
}
