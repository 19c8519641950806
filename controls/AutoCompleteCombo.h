// CAutoCompleteCombo: a combo box that, while the user types into its edit
// field, selects the first entry beginning with the typed text and
// highlights the completed rest. Deleting never completes again.
#pragma once

#include "framework/win/Controls.h"

class CAutoCompleteCombo : public CComboBox {
 public:
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void OnEditUpdate();

  int m_bAutoComplete = 1;

  DECLARE_MESSAGE_MAP()
};
