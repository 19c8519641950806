// CNumericEdit: an edit field that drops typed letters and punctuation, so
// that a number such as -1.5 is typed freely and nothing else enters.
// Control characters (Backspace, clipboard shortcuts) pass, and pasted text
// is left to the dialog's data exchange to judge.
#pragma once

#include "framework/win/Controls.h"

class CNumericEdit : public CEdit {
 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

  DECLARE_MESSAGE_MAP()
};
