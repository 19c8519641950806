// CIntegralThresholdDialog: which integrals of the current spectrum sum only
// the values above a level, the level in percent of each region's largest
// value, and whether the level is drawn.
#pragma once

#include "controls/HoverListCtrl.h"
#include "framework/win/Dialog.h"

class CSpectrum;

class CIntegralThresholdDialog : public CDialog {
 public:
  CIntegralThresholdDialog(CSpectrum* pSpectrum, CWnd* pParent);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;

 private:
  CSpectrum* m_pSpectrum;
  CListCtrl m_List;
  double m_dPercent = 0.0;
  int m_bDraw = 0;
};
