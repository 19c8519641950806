// CFontListCombo: an owner-drawn combo box of the TrueType screen fonts,
// each drawn in its own face, that hands out the chosen font's LOGFONT. It
// fills itself after creation through a message it posts to itself, so
// that the window it belongs to shows before the fonts are listed. An owner
// may instead supply the list of fonts to offer.
#pragma once

#include "framework/base/Lists.h"
#include "framework/win/Controls.h"

// Posted by a font list combo to itself: fill the list.
const UINT WMU_FONT_LIST_FILL = 0x47B;

class CFontListCombo : public CComboBox {
 public:
  CFontListCombo();
  ~CFontListCombo() override;

  // The fonts to offer (each element a LOGFONT*), kept by the owner for the
  // combo's life; set before the window is made. The combo then lists no
  // installed font by itself: Fill lists the owner's, whose LOGFONTs stay
  // the owner's, and each face is drawn in the combo's own font.
  void SetOwnerList(const CPtrList* pFonts) { m_pOwnerList = pFonts; }
  // Lists the fonts anew. A dialog calls it for a combo it attached.
  void Fill();
  // The combo listed the installed fonts (and owns their LOGFONT copies).
  BOOL IsFilled() const { return m_bFilled; }
  // The selected font into lf; the selection's index, or -1 with none.
  int GetSelectedLogFont(LOGFONT& lf) const;

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  LRESULT OnFill(WPARAM, LPARAM);
  void OnDestroy();

  // Frees the LOGFONT copies the items hold.
  void FreeItemData();
  static int CALLBACK EnumFontProc(const LOGFONTA* lplf, const TEXTMETRICA* lptm, DWORD dwType, LPARAM lParam);

  const CPtrList* m_pOwnerList = nullptr;
  COLORREF m_crHighlight;
  COLORREF m_crWindowText;
  COLORREF m_crHighlightText;
  COLORREF m_crWindow;
  BOOL m_bFilled = FALSE;

  DECLARE_MESSAGE_MAP()
};
