// One group of equivalent spin-1/2 nuclei during a calculation, reduced to
// its composite spins: n nuclei couple to total spins n/2, n/2 - 1, ...
// down to 0 or 1/2, each occurring with its multiplicity.
#pragma once

#include "framework/base/WinTypes.h"

class CSpinGroup {
 public:
  // The multiplicities come from integer factorials, which hold up to 12!.
  enum { MaxSpins = 12 };

  CSpinGroup();
  virtual ~CSpinGroup();

  // Fills the group for n nuclei at the shift (Hz). Refuses n outside
  // 0 ... MaxSpins before allocating anything (keeping n, so that the
  // calculation can say why it stops); reports "error allocating memory"
  // when the arrays cannot be had. Either way the group then has no
  // composite spins and FALSE is returned.
  BOOL Set(int nSpins, double dShift);

  int m_nSpins;
  int m_nComposite;      // K = n/2 + 1 composite spins
  double* m_pQuantum;    // I_i = n/2 - i (malloc)
  int* m_pMultiplicity;  // C(n, i) - C(n, i - 1) (malloc)
  double m_dShift;

 private:
  void Clear();
  CSpinGroup(const CSpinGroup&) = delete;
  CSpinGroup& operator=(const CSpinGroup&) = delete;
};
