// The drawing members of CSpectrum: the trace in its display mode, the axis
// scale, the phase pivot mark, the integrals, the text labels and the peak
// labels, on the screen, a printer or the clipboard picture.
#include <vector>

#include "framework/win/Dc.h"
#include "onedim/plot/PrintSettings.h"
#include "onedim/plot/SpectrumTrace.h"
#include "onedim/model/TextLabel.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/Integral.h"
#include "numerics/Saturate.h"

namespace {

CSpectrum::IntegralDrawer g_pfnDrawIntegral = nullptr;
CSpectrum::PeakLabelDrawer g_pfnDrawPeakLabels = nullptr;

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

}  // namespace

CSpectrum::IntegralDrawer CSpectrum::SetIntegralDrawer(IntegralDrawer pfnDraw) {
  IntegralDrawer pfnOld = g_pfnDrawIntegral;
  g_pfnDrawIntegral = pfnDraw;
  return pfnOld;
}

CSpectrum::PeakLabelDrawer CSpectrum::SetPeakLabelDrawer(PeakLabelDrawer pfnDraw) {
  PeakLabelDrawer pfnOld = g_pfnDrawPeakLabels;
  g_pfnDrawPeakLabels = pfnDraw;
  return pfnOld;
}

BOOL CSpectrum::Draw(CDC* pDC) {
  switch (m_nDisplayMode) {
    case 0:
      DrawTrace(pDC);
      break;
    case 1:
    case 2:
    case 3:
      DrawPoints(pDC);
      break;
    default:
      break;
  }
  if (m_bShowScale)
    m_Scale.Draw(pDC, *this);
  if (m_bPhaseDisplay)
    DrawPivot(pDC);
  if (g_pfnDrawIntegral != nullptr) {
    for (INT_PTR i = 0; i < m_arrIntegrals.GetSize(); i++)
      g_pfnDrawIntegral(static_cast<CIntegral*>(m_arrIntegrals.GetAt(i)), pDC);
  }
  for (INT_PTR i = 0; i < m_arrLabels.GetSize(); i++)
    static_cast<CTextLabel*>(m_arrLabels.GetAt(i))->Draw(pDC);
  if (m_bShowPeaks)
    DrawPeakLabels(pDC);
  return TRUE;
}

BOOL CSpectrum::DrawTrace(CDC* pDC) {
  const TraceDevice device = DeviceOf(pDC);
  CPen pen;
  if (!pen.CreatePen(PS_SOLID, m_nLineThickness, TraceColour(*this, device)))
    return FALSE;
  const std::vector<POINT> points = BuildColumnTrace(m_pData, MakeTraceMapping(*this, device, true));
  if (points.empty())
    return TRUE;
  CSelectGuard guard(*pDC, &pen);
  pDC->MoveTo(points[0]);
  for (size_t k = 1; k < points.size(); k++)
    pDC->LineTo(points[k]);
  return TRUE;
}

BOOL CSpectrum::DrawPoints(CDC* pDC) {
  const TraceDevice device = DeviceOf(pDC);
  CPen pen;
  const int nWidth = (int)(m_nLineThickness * m_dPrintScaleX);
  if (!pen.CreatePen(PS_SOLID, nWidth, TraceColour(*this, device)))
    return FALSE;
  const TraceMapping m = MakeTraceMapping(*this, device, false);
  if (m_pData == nullptr || m.IsEmpty() || m.nLast <= m.nFirst)
    return TRUE;
  CSelectGuard guard(*pDC, &pen);
  pDC->MoveTo(m.MapX(m.nBegin), m.MapY(m_pData[m.nBegin]));
  for (int i = m.nBegin; i < m.nEnd; i += 2) {
    const int x = m.MapX(i);
    const int y = m.MapY(m_pData[i]);
    switch (m_nDisplayMode) {
      case 1:
        // Dots keep the trace colour even where paper turns the pen black.
        ::SetPixelV(pDC->m_hDC, x, y, m_crTrace);
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

void CSpectrum::DrawPivot(CDC* pDC) {
  if (m_nLast == m_nFirst)
    return;
  const int x = m_nLeftPixel + MulDivRound((long long)m_nPivot - m_nFirst, (long long)m_nRightPixel - m_nLeftPixel,
                                           (long long)m_nLast - m_nFirst);
  const int y0 = (int)(((long long)m_rectPlot.top + m_rectPlot.bottom) / 2);
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

void CSpectrum::DrawPeakLabels(CDC* pDC) {
  if (g_pfnDrawPeakLabels != nullptr)
    g_pfnDrawPeakLabels(this, pDC);
}
