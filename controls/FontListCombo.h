// CFontListCombo: an owner-drawn combo box of the TrueType screen fonts,
// each drawn in its own face, that hands out the chosen font's LOGFONT. It
// fills itself after creation through a message it posts to itself, so
// that the window it belongs to shows before the fonts are listed.
#pragma once

#include "framework/win/Controls.h"

// Posted by a font list combo to itself: fill the list.
const UINT WMU_FONT_LIST_FILL = 0x47B;

class CFontListCombo : public CComboBox {
 public:
  CFontListCombo();
  ~CFontListCombo() override;

  // Lists the fonts anew. A dialog calls it for a combo it attached.
  void Fill();
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

  COLORREF m_crHighlight;
  COLORREF m_crWindowText;
  COLORREF m_crHighlightText;
  COLORREF m_crWindow;
  BOOL m_bFilled = FALSE;

  DECLARE_MESSAGE_MAP()
};
