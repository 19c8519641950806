// "Update Common Controls": shown at start-up when the system's common
// controls are too old for the program, which then ends. Two red headlines
// and two links to the update.
#pragma once

#include "controls/HyperlinkCtrl.h"
#include "controls/LabelCtrl.h"
#include "framework/win/Dialog.h"

class CUpdateComCtlDialog : public CDialog {
 public:
  explicit CUpdateComCtlDialog(CWnd* pParent = nullptr);

  BOOL OnInitDialog() override;

 protected:
  CLabelCtrl m_Needs;
  CLabelCtrl m_Follow;
  CHyperlinkCtrl m_VendorLink;
  CHyperlinkCtrl m_OwnLink;
};
