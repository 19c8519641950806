// The 1D program's answer to missing parameters: the user is asked through
// "Importing errors" and then "Edit Parameters". The program's document
// installs one (CBrivaneProDoc::SetMissingParametersPolicy).
#pragma once

#include "onedim/import/MissingParameters.h"

class CWnd;

class CMissingParametersDialogs : public CMissingParametersPolicy {
 public:
  // The dialogs are owned by pParent's top-level window; with none, by the
  // program's active window.
  explicit CMissingParametersDialogs(CWnd* pParent = nullptr) : m_pParent(pParent) {}

  BOOL ShowImportErrors(const CStringList& lines, const CMapStringToString& missing) override;
  BOOL EditParameters(CMissingValues& values, const CMapStringToString& missing) override;

 private:
  CWnd* m_pParent;  // not owned
};
