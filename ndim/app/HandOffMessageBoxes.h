// The hand-off's messages and questions in message boxes; the nD document
// that starts a hand-off redraws its own views.
#pragma once

#include "ndim/handoff/HandOffUi.h"

class CHandOffMessageBoxes : public CHandOffUi {
 public:
  void ShowMessage(LPCSTR text) override;
  bool AskYesNo(LPCSTR text) override;
};
