// What a hand-off of traces to the 1D program shows and asks of the user;
// the nD program puts it in message boxes and redraws its views.
#pragma once

#include "framework/base/WinTypes.h"
#include "ndim/script/CommandInterpreter.h"

class CHandOffUi : public CNdMessageSink {
 public:
  // A question with Yes and No buttons; true for Yes.
  virtual bool AskYesNo(LPCSTR text) = 0;
  // The data set changed: every view of it is redrawn.
  virtual void UpdateViews() {}
};
