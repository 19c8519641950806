// The Sum Data dialog: the factor by which the data buffer is added into
// the current spectrum's visible range.
#pragma once

#include "framework/win/Dialog.h"
#include "resources/BrivaneRes.h"

class CSumDataDialog : public CDialog {
 public:
  enum { IDD = IDD_SUM_DATA };
  explicit CSumDataDialog(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

  float m_fFactor = 1.0f;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
