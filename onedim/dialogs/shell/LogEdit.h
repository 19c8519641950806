// An edit control that shows a growing log: lines are appended at the end
// and the last one is kept in view. Unless it is allowed to, it refuses the
// focus, so no caret ever appears in it.
#pragma once

#include "framework/win/Controls.h"

class CLogEdit : public CEdit {
 public:
  CLogEdit() = default;

  // Adds text as a new line after what the control shows, and scrolls so
  // that the last line is visible.
  void AppendLine(LPCSTR lpszText);

  BOOL m_bMayTakeFocus = FALSE;

 protected:
  void OnSetFocus(CWnd* pOldWnd);
  DECLARE_MESSAGE_MAP()
};
