// The "History List" dialog of View > Log Screen: the processing history of
// this run in a read-only edit, and Copy to put it on the clipboard. OK and
// Copy are icon buttons: icon and caption, a border under the mouse.
#pragma once

#include "controls/IconButton.h"
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
  CIconButton m_OK;
  CIconButton m_Copy;

  DECLARE_MESSAGE_MAP()
};
