// CSelfInitDialogBar: a dialog bar that fills its controls from its members
// as soon as it is created, and keeps its buttons' enabled state in step
// with the command handlers before every message that passes it.
#pragma once

#include "framework/win/DialogBar.h"

class CSelfInitDialogBar : public CDialogBar {
 public:
  CSelfInitDialogBar() = default;

  // TRUE only when the bar was created and its controls were set up.
  BOOL Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID) override;
  BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID) override;

  // Writes the members into the controls; derived bars set up more and call it.
  virtual BOOL InitBarControls();

  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {}

  DECLARE_MESSAGE_MAP()
};
