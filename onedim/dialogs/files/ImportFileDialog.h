// The 1D program's File > Open: the system's open dialog with a part of the
// program's own below it, where the user says which of the thirteen import
// file types the chosen files are and may gather several files in a list.
//
// The type is the application's import file type: a new choice takes
// effect at once and is written to the profile ("File", "File Type"), even
// when the dialog is then cancelled.
#pragma once

#include "controls/LabelCtrl.h"
#include "framework/base/Lists.h"
#include "framework/win/CommonDialogs.h"
#include "resources/ImportDialogsRes.h"

class CBrivaneAppState;
class CSettingsStore;

class CImportFileDialog : public CFileDialog {
 public:
  enum { IDD = IDD_IMPORT_FILE };

  CImportFileDialog(CBrivaneAppState& appState, CSettingsStore& settings, CWnd* pParentWnd = nullptr);

  // After OK: the files to import in order. The gathered list when it holds
  // any, otherwise the files chosen in the dialog itself.
  void GetChosenPaths(CStringList& paths) const;

  // The paths gathered with "Add File".
  CStringList m_Paths;

 protected:
  BOOL OnInitDialog() override;
  void OnSelChangeFileType();
  void OnOpenSeveral();
  void OnAddFile();
  void OnRemoveFile();

  CBrivaneAppState& m_AppState;
  CSettingsStore& m_Settings;
  CLabelCtrl m_TypeLabel;

  DECLARE_MESSAGE_MAP()
};
