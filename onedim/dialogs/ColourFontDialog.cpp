// The font dialog of a coloured font.
#include "framework/win/CommonDialogs.h"
#include "onedim/model/ColourFont.h"

BOOL CColourFont::ChooseFont(const CColourFont* pFont, CDC* pPrinterDC, CWnd* pParent) {
  const LOGFONT& lfStart = pFont != nullptr ? pFont->m_lf : m_lf;
  CFontDialog dlg(&lfStart, CF_SCREENFONTS | CF_EFFECTS, pPrinterDC, pParent);
  dlg.m_cf.rgbColors = m_crText;
  if (dlg.DoModal() != IDOK)
    return FALSE;
  LOGFONT lf;
  dlg.GetCurrentFont(&lf);
  SetLogFont(lf);
  SetTextColour(dlg.GetColor());
  return TRUE;
}
