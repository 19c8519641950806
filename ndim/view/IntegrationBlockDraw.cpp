#include "ndim/view/IntegrationBlockDraw.h"

#include "framework/win/Dc.h"
#include "ndim/data/IntegrationBlock.h"
#include "ndim/data/Spectrum2D.h"
#include "numerics/Saturate.h"

namespace {

// A metafile is a picture for paper: it is drawn at the print factors
// like a printer page.
bool IsPaper(CDC* pDC) {
  const DWORD type = ::GetObjectType(pDC->GetSafeHdc());
  return pDC->IsPrinting() || type == OBJ_ENHMETADC || type == OBJ_METADC;
}

RECT Placed(const CIntegrationBlock& block, CDC* pDC, const CSpectrum2D& set) {
  RECT r = block.m_rect;
  if (IsPaper(pDC))
    set.ScaleRect(r);
  return r;
}

}  // namespace

void DrawIntegrationBlock(CIntegrationBlock& block, CDC* pDC, CSpectrum2D& set) {
  const RECT r = Placed(block, pDC, set);
  CSelectGuard hollow(*pDC, NULL_BRUSH);
  if (block.IsKindOf(RUNTIME_CLASS(CElipBlock))) {
    pDC->Ellipse(&r);
  } else if (block.IsKindOf(RUNTIME_CLASS(CRoundBlock))) {
    const int index = block.m_nPen >= 0 ? block.m_nPen % CSpectrum2D::ContourColours : 0;
    CPen pen(PS_SOLID, 1, set.m_positiveColours[index]);
    CSelectGuard penGuard(*pDC, &pen);
    pDC->RoundRect(r.left, r.top, r.right, r.bottom, 30, 30);
  } else {
    pDC->Rectangle(&r);
  }
}

void DrawIntegrationLabel(CIntegrationBlock& block, CDC* pDC, CSpectrum2D& set) {
  if (block.IsKindOf(RUNTIME_CLASS(CRoundBlock)))
    return;
  const CString text = block.GetLabelText(set);
  const bool paper = IsPaper(pDC);
  const int height = paper ? SaturatingInt(set.m_dPrintFactorY * 8.4) : 14;
  CFont font;
  font.CreateFont(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
  CSelectGuard fontGuard(pDC->GetSafeHdc(),
                         font.GetSafeHandle() ? font.GetSafeHandle() : ::GetStockObject(SYSTEM_FONT));
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  const RECT& r = block.m_rect;
  const double fx = paper ? set.m_dPrintFactorX : 1.0, fy = paper ? set.m_dPrintFactorY : 1.0;
  pDC->TextOut(SaturatingInt(r.right * fx), SaturatingInt((r.top + r.bottom) / 2 * fy), text);
  pDC->SetBkMode(oldMode);
}
