// CRangeEdit: an edit field that keeps a whole number inside a range while
// the user types. Leading zeros and other leading junk go at once; a text
// outside the range gives way, with a beep, to the last value that was
// inside it (or to an empty field when the field was empty).
#pragma once

#include "framework/win/Controls.h"

class CRangeEdit : public CEdit {
 public:
  // No check that nMin <= nMax; the last accepted value becomes nMin.
  void SetRange(int nMin, int nMax);

 protected:
  // Also lets the parent see the change.
  BOOL OnChange();

  int m_nMax = 100;
  int m_nMin = 0;
  int m_nLast = 0;  // -1: the field was empty
  bool m_bAdjusting = false;

  DECLARE_MESSAGE_MAP()
};
