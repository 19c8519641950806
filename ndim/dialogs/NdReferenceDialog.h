// The 2D program's "Reference" dialog: the 1D program's list of reference
// signals and its solvents.map, with the axis it references named beside
// the shift and OK and Cancel on the toolbar. The caller sets the shift and
// the label, and reads the shift back on OK.
#pragma once

#include "onedim/dialogs/analysis/ReferenceDialog.h"

class CNdReferenceDialog : public CReferenceDialog {
 public:
  explicit CNdReferenceDialog(CWnd* pParent);

  CString m_strLabel;  // "Ref. Col" or "Ref. Row"

 protected:
  BOOL OnInitDialog() override;

  DECLARE_MESSAGE_MAP()
};
