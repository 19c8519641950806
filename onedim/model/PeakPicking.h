// One peak-picking action on a spectrum: the region searched, its threshold
// and the float indices of the peaks found. Manual picks have -1 for the
// region and the threshold. The spectrum owns its records.
#pragma once

#include "framework/base/Arrays.h"
#include "framework/base/Object.h"

class CPeakPicking : public CObject {
  DECLARE_SERIAL(CPeakPicking)

 public:
  CPeakPicking();
  CPeakPicking(int nStart, int nEnd, float fThreshold);
  ~CPeakPicking() override;

  // The document file stores the spectra; the records themselves are not
  // persisted.
  void Serialize(CArchive& ar) override;

  int GetCount() const { return (int)m_arrPoints.GetSize(); }

  int m_nEnd;               // float index; -1 for a manual pick
  int m_nStart;             // float index; -1 for a manual pick
  float m_fThreshold;       // data units; -1.0 for a manual pick
  CArray<int> m_arrPoints;  // float indices of the peaks, in the order found
};

class CSpectrum;

// Refines a peak near the complex point dPosition of interleaved data of
// nPoints complex points: the local maximum of the magnitudes, its
// parabolic position, its height and its width at half height, both in
// complex points. The walks never leave the data. FALSE, and nothing set,
// when there are no data.
BOOL peakwidth(const float* pData, int nPoints, double& dPosition, double& dHeight, double& dWidth);

// The position (complex points) and height of a stored peak as the list,
// the labels and the copies show them: refined when the spectrum
// interpolates its peaks.
void GetPeakValues(const CSpectrum& spectrum, int nFloatIndex, double& dPosition, double& dHeight);
