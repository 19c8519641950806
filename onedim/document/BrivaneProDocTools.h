// State of two tools that the 1D document holds for its dialog bars: the
// relaxation pick and the operands of the add/subtract bar. The bars and
// their algorithms work on these; the document only keeps them and forgets
// a spectrum that is deleted.
#pragma once

#include <map>

#include "framework/base/WinTypes.h"

class CSpectrum;

// The data point picked for a relaxation measurement, as a float index.
class CRelaxationPeak {
 public:
  int m_nIndex = 0;
};

// The operands of A x factor A +/- B x factor B. The spectra belong to the
// document; these pointers never own them.
class CSpectrumArithmetic {
 public:
  CSpectrum* m_pA = nullptr;
  CSpectrum* m_pB = nullptr;
  CSpectrum* m_pOther = nullptr;
  CSpectrum* m_pResult = nullptr;
  float m_fFactorA = 1.0f;
  float m_fFactorB = 1.0f;
  // The largest value the bar draws every spectrum at while it is open, so
  // that a shifted operand or the result is matched by eye on one scale.
  float m_fCommonLargest = 0.0f;

  enum { Add = 0, Subtract = 1 };
  // Result = A x factor A + B x factor B (Add) or - B x factor B (Subtract),
  // float by float over A's td. Refused with nothing changed when an operand
  // is missing, and with "Different number of points" in *ppszMessage when A
  // and B differ in td or the result holds fewer floats.
  BOOL Combine(int nMode, const char** ppszMessage = nullptr);
  // Moves an operand (m_pA or m_pB) to the spectrum after it in the list,
  // from the last back to the first, passing over the result spectrum. An
  // operand not in the list stays.
  void SelectNext(CSpectrum*& pOperand, CSpectrum* const* ppSpectra, int nCount) const;

  // Clears every operand that is this spectrum.
  void Forget(const CSpectrum* pSpectrum) {
    if (m_pA == pSpectrum)
      m_pA = nullptr;
    if (m_pB == pSpectrum)
      m_pB = nullptr;
    if (m_pOther == pSpectrum)
      m_pOther = nullptr;
    if (m_pResult == pSpectrum)
      m_pResult = nullptr;
    m_keptFloats.erase(pSpectrum);
  }

  // How many floats of each spectrum's data the bar keeps in its auxiliary
  // buffer: a shift reads only a copy as long as the data are now.
  std::map<const CSpectrum*, int> m_keptFloats;
};
