// The Print Out Options dialog (File menu): colour and border on paper, and
// the trace's line thickness for the current spectrum or all of them. The
// caller fills the values and, on OK, applies them.
#pragma once

#include "controls/RangeEdit.h"
#include "framework/win/Dialog.h"
#include "resources/BrivaneRes.h"

class CPrintOutOptionsDlg : public CDialog {
 public:
  enum { IDD = IDD_PRINT_OUT_OPTIONS };
  explicit CPrintOutOptionsDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

  int m_bPrintInColour = 0;
  int m_bPrintBorder = 0;
  int m_nLineThickness = 1;  // shown; on OK, the field's text as atof reads it, truncated
  int m_bApplyToAll = 0;

  BOOL OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  CRangeEdit m_Thickness;
};
