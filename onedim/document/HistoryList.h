// The processing history of one run of the 1D program: the lines that the
// importers and the processing commands append, in order, shown by View >
// Log Screen. The application owns one; documents reach it through their
// host. It is never trimmed.
#pragma once

#include "framework/base/Lists.h"
#include "framework/base/String.h"

class CHistoryList : public CStringList {
 public:
  CHistoryList() : CStringList(10) {}

  void AddLine(LPCSTR pszLine) { AddTail(CString(pszLine)); }

  // Every line followed by CR LF: the text that Copy puts on the clipboard.
  CString GetText() const;
};
