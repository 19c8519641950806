// Drawing of a text label.
#include "framework/win/Dc.h"
#include "onedim/plot/PrintSettings.h"
#include "onedim/model/TextLabel.h"
#include "onedim/model/Spectrum.h"

void CTextLabel::Draw(CDC* pDC) {
  const CPrintSettings& settings = GetPrintSettings();
  // Unlike the trace, a label counts the margins in the clipboard picture too.
  const bool bPaper = pDC->IsPrinting() || settings.bRenderingMetafile;
  const double fx = bPaper && m_pSpectrum != nullptr ? m_pSpectrum->m_dPrintScaleX : 1.0;
  const double fy = bPaper && m_pSpectrum != nullptr ? m_pSpectrum->m_dPrintScaleY : 1.0;
  const POINT anchor =
      GetDeviceAnchor(fx, fy, bPaper ? settings.rcMargins.left : 0, bPaper ? settings.rcMargins.top : 0);

  LOGFONT lf = m_lf;
  lf.lfHeight = GetDrawHeight(bPaper, fy);
  CFont font;
  font.CreateFontIndirect(&lf);
  CSelectGuard fontGuard(pDC->m_hDC, font.m_hObject != nullptr ? font.m_hObject : ::GetStockObject(SYSTEM_FONT));
  pDC->SetTextColor(m_crText);

  UINT nMeasure = 0;
  UINT nDraw = 0;
  GetTextFlags(m_nAlign, nMeasure, nDraw);
  RECT rect = {anchor.x, anchor.y, anchor.x, anchor.y};
  pDC->DrawText(m_strText, &rect, nMeasure);
  pDC->DrawText(m_strText, &rect, nDraw);
  // The rectangle is for hit testing in the view, so paper does not move it.
  if (!bPaper)
    m_rectDrawn = rect;
}
