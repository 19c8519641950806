// Export Options: the number of decimal figures and the decimal separator
// of exported numbers.
#pragma once

#include "framework/win/Dialog.h"

class CExportOptionsDialog : public CDialog {
 public:
  enum { IDD = 303 };
  explicit CExportOptionsDialog(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

  int m_nDecimals = 0;    // "Decimal Figures", 0 to 5
  int m_nSeparator = -1;  // 0 "Use decimal commas", 1 "Use decimal periods"

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
