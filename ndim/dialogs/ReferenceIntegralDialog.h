// The "Reference Integral" dialog: the value the reference integration
// region stands for. The caller fills the value and reads it back on OK.
#pragma once

#include "framework/win/Dialog.h"
#include "resources/BrivanenDRes.h"

class CReferenceIntegralDialog : public CDialog {
 public:
  enum { IDD = IDD_REFERENCE_INTEGRAL };

  explicit CReferenceIntegralDialog(CWnd* pParentWnd = nullptr) : CDialog(IDD, pParentWnd) {}

  double m_dValue = 0.0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
