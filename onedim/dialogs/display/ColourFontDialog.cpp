#include "onedim/dialogs/display/ColourFontDialog.h"

#include "framework/win/CommonDialogs.h"
#include "onedim/model/ColourFont.h"

BOOL ChooseColourFont(CColourFont& font, const CColourFont* pStart, CDC* pPrinterDC, CWnd* pParent) {
  const LOGFONT& lfStart = pStart != nullptr ? pStart->m_lf : font.m_lf;
  CFontDialog dlg(&lfStart, CF_SCREENFONTS | CF_EFFECTS, pPrinterDC, pParent);
  dlg.m_cf.rgbColors = font.GetTextColour();
  if (dlg.DoModal() != IDOK)
    return FALSE;
  LOGFONT lf;
  dlg.GetCurrentFont(&lf);
  font.SetLogFont(lf);
  font.SetTextColour(dlg.GetColor());
  return TRUE;
}
