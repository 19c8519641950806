// CMultiPointBaselineDialog: the small captionless window that stays beside
// the view while baseline points are picked. In multi-point mode its
// Subtract takes the lines between the points off the current spectrum; in
// auto-fit mode Compute Function fits a polynomial through them, shown as a
// curve, and its Subtract takes that off. Every way out ends the picking.
#pragma once

#include <vector>

#include "controls/BaseDialog.h"
#include "framework/win/Controls.h"
#include "resources/BrivaneRes.h"

class CBrivaneProDoc;

class CMultiPointBaselineDialog : public CBaseDialog {
 public:
  enum { IDD = IDD_MULTIPOINT_BASELINE };
  // ppOpen, when given, points at the document's record of the open dialog;
  // it is cleared when the window goes.
  CMultiPointBaselineDialog(CBrivaneProDoc* pDoc, CWnd* pParent = nullptr,
                            CMultiPointBaselineDialog** ppOpen = nullptr);

  int m_bFitOntoTrace = 1;
  int m_nCoefficients = 2;  // of the polynomial: the order plus one

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;  // the multi-point Subtract
  void OnCancel() override;
  void PostNcDestroy() override;
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnOrderChange();
  void OnFitOntoTrace();
  void OnCompute();
  void OnSubtractFit();

 private:
  CBrivaneProDoc* m_pDoc;  // not owned; outlives the dialog
  CMultiPointBaselineDialog** m_ppOpen;
  std::vector<float> m_Baseline;  // the computed baseline, one value per complex point
  CComboBox m_Order;

  DECLARE_MESSAGE_MAP()
};
