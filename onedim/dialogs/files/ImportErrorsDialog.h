// "Importing errors": lists the parameters that the files of an import did
// not give and lets the user abort or go on to set their values.
#pragma once

#include "framework/base/Lists.h"
#include "framework/win/Dialog.h"
#include "onedim/dialogs/shell/LogEdit.h"
#include "resources/ImportDialogsRes.h"

class CImportErrorsDialog : public CDialog {
 public:
  enum { IDD = IDD_IMPORT_ERRORS };
  explicit CImportErrorsDialog(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

  // The lines to show, one parameter description each. IDOK is "Set values",
  // IDCANCEL "Abort".
  CStringList m_Lines;

 protected:
  BOOL OnInitDialog() override;

  CLogEdit m_Log;
};
