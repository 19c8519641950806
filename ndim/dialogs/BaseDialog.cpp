#include "ndim/dialogs/BaseDialog.h"

namespace nd {

IMPLEMENT_DYNAMIC(CBaseDialog, ::CBaseDialog)

BEGIN_MESSAGE_MAP(CBaseDialog, ::CBaseDialog)
  ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

LRESULT CBaseDialog::OnKickIdle(WPARAM, LPARAM) {
  UpdateDialogControls(this, FALSE);
  SendMessageToDescendants(WM_IDLEUPDATECMDUI, 0, 0, TRUE);
  return 0;
}

}  // namespace nd
