// CColorPage: the Display properties page of the spectrum properties sheet:
// trace and background colours, how the trace is drawn, the zoom box's look
// and the icon that marks the active spectrum.
#pragma once

#include "controls/ColourPicker.h"
#include "framework/win/CommonControls.h"
#include "framework/win/ImageList.h"
#include "framework/win/PropertyPage.h"
#include "resources/BrivaneRes.h"

class CColorPage : public CPropertyPage {
 public:
  enum { IDD = IDD_COLOR_PAGE };
  CColorPage() : CPropertyPage(IDD) {}

  COLORREF m_crTrace = RGB(0, 0, 255);
  COLORREF m_crBackground = RGB(255, 255, 255);
  int m_nDisplayMode = 0;   // 0 solid, 1 dotted, 2 circles, 3 crosses
  int m_nZoomStyle = 0;     // 0 plain, 1 red, 2 green, 3 blue gradient
  int m_nSpectra = 1;       // the apply-to-all check shows only for more than one
  int m_bApplyToAll = 0;
  int m_bShowIcon = 0;
  // The application's active-spectrum icon type, changed at once with the
  // profile; not owned, may be null.
  int* m_pIconType = nullptr;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnIconType();

  CColourPicker m_TracePicker;
  CColourPicker m_BackgroundPicker;
  CComboBoxEx m_Icon;
  CImageList m_Images;

  DECLARE_MESSAGE_MAP()
};
