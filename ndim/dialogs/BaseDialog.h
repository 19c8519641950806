// The nD program's base of its modeless dialogs: the dialog base of both
// programs, except that at idle time it also gives the update pass to every
// window inside it, so that a toolbar in the dialog (CIdleToolBar) follows
// the dialog's update handlers.
#pragma once

#include "controls/BaseDialog.h"

namespace nd {

class CBaseDialog : public ::CBaseDialog {
  DECLARE_DYNAMIC(CBaseDialog)
 public:
  CBaseDialog() = default;
  CBaseDialog(UINT nIDTemplate, CWnd* pParentWnd) : ::CBaseDialog(nIDTemplate, pParentWnd) {}

 protected:
  LRESULT OnKickIdle(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()
};

}  // namespace nd
