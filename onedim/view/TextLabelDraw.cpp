#include "onedim/view/TextLabelDraw.h"

#include "framework/win/Dc.h"
#include "onedim/plot/PrintSettings.h"
#include "onedim/model/TextLabel.h"
#include "onedim/model/Spectrum.h"

void DrawTextLabel(CTextLabel& label, CDC* pDC) {
  const CPrintSettings& settings = GetPrintSettings();
  // Unlike the trace, a label counts the margins in the clipboard picture too.
  const bool bPaper = pDC->IsPrinting() || settings.bRenderingMetafile;
  const CSpectrum* pSpectrum = label.m_pSpectrum;
  const double fx = bPaper && pSpectrum != nullptr ? pSpectrum->m_dPrintScaleX : 1.0;
  const double fy = bPaper && pSpectrum != nullptr ? pSpectrum->m_dPrintScaleY : 1.0;
  const POINT anchor =
      label.GetDeviceAnchor(fx, fy, bPaper ? settings.rcMargins.left : 0, bPaper ? settings.rcMargins.top : 0);

  LOGFONT lf = label.m_lf;
  lf.lfHeight = label.GetDrawHeight(bPaper, fy);
  CFont font;
  font.CreateFontIndirect(&lf);
  CSelectGuard fontGuard(pDC->m_hDC, font.m_hObject != nullptr ? font.m_hObject : ::GetStockObject(SYSTEM_FONT));
  pDC->SetTextColor(label.m_crText);

  UINT nMeasure = 0;
  UINT nDraw = 0;
  CTextLabel::GetTextFlags(label.m_nAlign, nMeasure, nDraw);
  RECT rect = {anchor.x, anchor.y, anchor.x, anchor.y};
  pDC->DrawText(label.m_strText, &rect, nMeasure);
  pDC->DrawText(label.m_strText, &rect, nDraw);
  // The rectangle is for hit testing in the view, so paper does not move it.
  if (!bPaper)
    label.m_rectDrawn = rect;
}
