// CSetLimitsDlg: the visible range of the current spectrum in its axis
// units. The caller converts both ways and clamps the range to the data;
// the dialog refuses only two equal limits, which make an axis of no width.
#pragma once

#include "controls/LabelCtrl.h"
#include "controls/NumericEdit.h"
#include "framework/win/Dialog.h"
#include "resources/BrivaneRes.h"

class CSetLimitsDlg : public CDialog {
 public:
  enum { IDD = IDD_SET_LIMITS };
  explicit CSetLimitsDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

  int m_nUnits = 0;  // 0 points, 1 seconds, 2 Hz, 3 ppm
  double m_dTo = 0.0;
  double m_dFrom = 0.0;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;

  CLabelCtrl m_Units;
  CNumericEdit m_From;
  CNumericEdit m_To;
};
