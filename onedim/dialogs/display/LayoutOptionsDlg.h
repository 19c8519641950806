// CLayoutOptionsDlg: how the stacked plot places spectra: direction, and
// either automatic placement or an origin and increments. OK reads the four
// edits as they stand; the caller stores them in the document.
#pragma once

#include "controls/NumericEdit.h"
#include "framework/win/CommonControls.h"
#include "framework/win/Dialog.h"
#include "framework/win/ImageList.h"
#include "resources/BrivaneRes.h"

class CLayoutOptionsDlg : public CDialog {
 public:
  enum { IDD = IDD_LAYOUT_OPTIONS };
  explicit CLayoutOptionsDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

  int m_nDirection = 0;  // 0 lower left to upper right, 1 lower right to upper left
  int m_bAutomatic = 0;
  double m_dOriginX = 0.0;
  double m_dOriginY = 50.0;
  double m_dStepX = 20.0;
  double m_dStepY = 20.0;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnLayoutType();
  void OnAutomatic();
  void EnableEdits();

  CImageList m_Images;
  CNumericEdit m_Edits[4];
  CComboBoxEx m_LayoutType;

  DECLARE_MESSAGE_MAP()
};
