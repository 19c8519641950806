// What the Window Functions dialog keeps while it is open: a copy of every
// spectrum's data (with its applied phases) and of its weighted copy, so
// that Cancel can put everything back and OK can keep the new data. The
// copies name their spectra only by pointer and are restored only to
// spectra the document still holds with the same size: a spectrum deleted
// or resized while the dialog was open is left alone.
#pragma once

#include <vector>

#include "framework/base/WinTypes.h"

class CBrivaneProDoc;
class CSpectrum;

class CApodizeSession {
 public:
  explicit CApodizeSession(CBrivaneProDoc* pDoc) : m_pDoc(pDoc) {}

  // Copies every spectrum's weighted-copy buffer (before the dialog opens).
  void KeepWeightedCopies();
  // Copies every spectrum's data, keeps the current spectrum's applied
  // phases for the interactive transform and sets every spectrum's applied
  // phases to 0 (as the dialog opens).
  void KeepData();

  // Writes the window type and parameters into the current spectrum's
  // window function, or into every spectrum's.
  void StoreParameters(int nType, float fLB, float fGB, float fGaussShift, float fSineShift, BOOL bApplyToAll);
  // Applies the window (and with bInteractive the transform) to the current
  // spectrum or to all. The first refusal's message is returned through
  // ppszMessage.
  BOOL Apply(BOOL bApplyToAll, BOOL bInteractive, const char** ppszMessage = nullptr);

  // OK: the new data stay, the weighted copies come back.
  void Accept();
  // Cancel: the data and the weighted copies come back.
  void Cancel();

 private:
  struct Copy {
    CSpectrum* pSpectrum;
    std::vector<float> values;
    double dPhase0, dPhase1;
  };
  static void Keep(std::vector<Copy>& copies, CSpectrum* pSpectrum, const float* pBuffer);
  // Writes the copies back into the data (bData) or the weighted copies of
  // the spectra still in the document, and forgets them.
  void Restore(std::vector<Copy>& copies, bool bData);
  bool Holds(const CSpectrum* pSpectrum) const;

  CBrivaneProDoc* m_pDoc;  // not owned
  std::vector<Copy> m_Data;
  std::vector<Copy> m_Weighted;
  float m_fPhase0 = 0.0f;  // the current spectrum's applied phases at KeepData
  float m_fPhase1 = 0.0f;
};
