// CIdleToolBar: a toolbar inside a dialog. At the update pass it enables
// and checks its buttons by the handlers of the window that holds it, not by
// a frame's.
#pragma once

#include "framework/win/ToolBar.h"

class CIdleToolBar : public CToolBar {
 protected:
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM);

  DECLARE_MESSAGE_MAP()
};
