// The questions of File > Export as ASCII, asked with the program's
// dialogs: the save dialog for the path, then the export options.
#pragma once

#include "onedim/export/AsciiExport.h"

class CWnd;

class CAsciiExportDialogs : public CAsciiExportPrompts {
 public:
  explicit CAsciiExportDialogs(CWnd* pParent = nullptr) : m_pParent(pParent) {}

  BOOL AskPath(CString& strPath) override;
  BOOL AskOptions(CAsciiExportOptions& options) override;
  void ShowError(LPCSTR pszText) override;

 private:
  CWnd* m_pParent;
};
