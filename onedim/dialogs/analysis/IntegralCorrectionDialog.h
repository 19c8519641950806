// CIntegralCorrectionDialog: the baseline under the integrals of the active
// document's current spectrum, fitted automatically (Apply) or set by hand
// with a bias and a slope bar. Modeless; it deletes itself when closed.
#pragma once

#include "controls/BaseDialog.h"

class CBrivaneProDoc;

class CIntegralCorrectionDialog : public CBaseDialog {
 public:
  // pfnActiveDoc finds the document the dialog works on at each step.
  typedef CBrivaneProDoc* (*PFNACTIVEDOC)();
  CIntegralCorrectionDialog(PFNACTIVEDOC pfnActiveDoc, CWnd* pParent);
  BOOL CreateModeless(CWnd* pParent);

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
  void OnApply();
  void OnApplyToAll();
  void OnBiasTwice() { ChangeRange(0, 2, 1); }
  void OnBiasHalf() { ChangeRange(0, 1, 2); }
  void OnSlopeTwice() { ChangeRange(1, 2, 1); }
  void OnSlopeHalf() { ChangeRange(1, 1, 2); }

 private:
  BOOL ApplyToAll() const;
  // Bar 0 is the bias, bar 1 the slope.
  void ChangeRange(int nBar, int nMultiply, int nDivide);
  void ShowLimits(int nBar);

  PFNACTIVEDOC m_pfnActiveDoc;
  int m_nHalfRange[2] = {1000, 100};

  DECLARE_MESSAGE_MAP()
};
