// The save dialog of the exports: its filter is built from entries of the
// form "description (*.ext)" and the file name keeps the extension of the
// type the user picks.
#pragma once

#include "framework/win/CommonDialogs.h"
#include "onedim/export/ExportFilter.h"

class CFileExportDialog : public CFileDialog {
  DECLARE_DYNAMIC(CFileExportDialog)
 public:
  // pszFilterList: "ASCII (*.txt)" or several entries separated by "|".
  CFileExportDialog(LPCSTR pszTitle, LPCSTR pszFilterList, LPCSTR pszFileName, CWnd* pParentWnd = nullptr);

 protected:
  void OnTypeChange() override;

 private:
  CString m_strTitle;
  CExportFilter m_filter;
};
