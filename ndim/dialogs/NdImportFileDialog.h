// The nD program's File > Open: the system's open dialog with the program's
// file-type choice below it. The type is the application's import file type
// (0 automatic, 1 Bruker, 2 Aspect, 3 Varian); a new choice takes effect at
// once, also when the dialog is then cancelled.
#pragma once

#include "framework/win/CommonDialogs.h"
#include "resources/NdImportRes.h"

class CNdImportFileDialog : public CFileDialog {
 public:
  enum { IDD = IDD_ND_IMPORT_FILE };

  // type: the application's import file type, changed by the dialog.
  explicit CNdImportFileDialog(int& type, CWnd* pParentWnd = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void OnSelChangeFileType();

  int& m_nType;

  DECLARE_MESSAGE_MAP()
};
