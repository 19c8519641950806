// The "History List" dialog of View > Log Screen: the processing history of
// this run in a read-only edit, and Copy to put it on the clipboard.
#pragma once

#include "framework/win/Dialog.h"
#include "onedim/dialogs/shell/LogEdit.h"

class CHistoryList;

class CHistoryDialog : public CDialog {
 public:
  explicit CHistoryDialog(const CHistoryList& history, CWnd* pParent = nullptr);

  BOOL OnInitDialog() override;

 protected:
  void OnCopy();

 private:
  const CHistoryList& m_History;
  CLogEdit m_Log;

  DECLARE_MESSAGE_MAP()
};
