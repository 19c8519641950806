// CReferenceIntegralDialog: the value one integral stands for, and whether
// every spectrum takes that reference. The caller fills m_dValue with the
// integral's shown value and applies the result on OK.
#pragma once

#include "controls/NumericEdit.h"
#include "framework/win/Dialog.h"

class CReferenceIntegralDialog : public CDialog {
 public:
  explicit CReferenceIntegralDialog(CWnd* pParent = nullptr);

  double m_dValue = 0.0;
  int m_bAllSpectra = 0;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;

 private:
  CNumericEdit m_Value;
};
