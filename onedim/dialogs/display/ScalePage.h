// CScalePage: the Scale Properties page of the spectrum properties sheet:
// the axis colour, which scales show, and the label font.
#pragma once

#include "controls/ColourPicker.h"
#include "framework/base/WinTypes.h"
#include "framework/win/PropertyPage.h"
#include "resources/BrivaneRes.h"

class CScalePage : public CPropertyPage {
 public:
  enum { IDD = IDD_SCALE_PAGE };
  CScalePage() : CPropertyPage(IDD) {}

  COLORREF m_crScale = RGB(0, 0, 0);
  int m_nSpectra = 1;
  int m_bShowOnlyActive = 0;
  int m_bSolidScale = 0;
  int m_bApplyToAll = 0;
  LOGFONT m_lf = {};
  COLORREF m_crFont = RGB(0, 0, 0);
  int m_bFontChanged = 0;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnChangeFont();
  // Cancel forgets a font chosen on the page.
  void OnReset() override;

  CColourPicker m_ScalePicker;
  LOGFONT m_lfOpened = {};
  COLORREF m_crFontOpened = 0;
  int m_bFontChangedOpened = 0;

  DECLARE_MESSAGE_MAP()
};
