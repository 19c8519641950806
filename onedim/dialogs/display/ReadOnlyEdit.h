// CReadOnlyEdit: an edit whose text can be selected and copied but not typed
// over. It keeps the edit look (and colours) that a read-only style would
// change.
#pragma once

#include "framework/win/Controls.h"

class CReadOnlyEdit : public CEdit {
 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()
};
