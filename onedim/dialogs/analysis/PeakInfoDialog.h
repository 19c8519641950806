// CPeakInfoDialog: shows the six numbers of one peak that its caller
// gives; OK only.
#pragma once

#include "framework/win/Dialog.h"
#include "onedim/model/PeakList.h"

class CPeakInfoDialog : public CDialog {
 public:
  CPeakInfoDialog(const CPeakInformation& info, CWnd* pParent);

 protected:
  BOOL OnInitDialog() override;

 private:
  CPeakInformation m_Info;
};
