#include "onedim/processing/SoftThresholding.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "onedim/model/Spectrum.h"
#include "onedim/processing/FastFourier.h"
#include "onedim/processing/FourierTransformStep.h"

namespace {

const char kNoFid[] = "There is no FID to extend";
const char kBadCount[] = "The zero-fill count must be a power of two of at least the number of points";
const char kBadThreshold[] = "The threshold is not a number";
const char kNoMemory[] = "Memory exhausted. \nIterated Soft Thresholding aborted";

void SetMessage(const char** ppszMessage, const char* pszText) {
  if (ppszMessage != nullptr)
    *ppszMessage = pszText;
}

// An inverse transform scaled back to the FID's own size: unscaled, every
// pass would multiply the extension by the number of points.
void Inverse(float* pData, int td, int nMode, int bRotate, int bConjugate) {
  CFastFourier fft;
  fft.SetData(pData, td, nMode, bRotate, 1);
  fft.m_bConjugate = bConjugate;
  fft.Transform();
  const float fScale = 2.0f / (float)td;
  for (int i = 0; i < td; i++)
    pData[i] *= fScale;
}

// The exact inverse of TransformAsRecorded: the same mode, conjugation and
// rotation undone in reverse order and turned back by the digital-filter
// rotation, so that the reconstruction lines up point for point with the
// measured FID.
void InverseAsRecorded(CSpectrum& s, int nRotated) {
  const CSpectrumParams& b = s.m_paramsB;
  const int td = s.m_paramsA.td;
  Inverse(s.m_pData, td, b.aqmode == 1 ? 1 : 0, b.bComplex, b.bConjugate);
  if (nRotated > 0 && 2 * nRotated < td)
    std::rotate(s.m_pData, s.m_pData + td - 2 * nRotated, s.m_pData + td);
}

void SoftThreshold(float* pData, int nFloats, float fThreshold) {
  for (int i = 0; i < nFloats; i++)
    pData[i] = pData[i] >= fThreshold ? pData[i] - fThreshold : 0.0f;
}

}  // namespace

BOOL ExtendBySoftThresholding(CSpectrum& s, int nIterations, int nZeroFill, double dThreshold, BOOL bBrukerImport,
                              const char** ppszMessage) {
  const int t0 = s.m_paramsA.td;
  if (s.m_pData == nullptr || s.m_pRawData == nullptr || s.m_pWeighted == nullptr || t0 < 2) {
    SetMessage(ppszMessage, kNoFid);
    return FALSE;
  }
  if (nZeroFill < t0 || !CFastFourier::IsValidSize(nZeroFill, 1)) {
    SetMessage(ppszMessage, kBadCount);
    return FALSE;
  }
  if (!std::isfinite(dThreshold)) {
    SetMessage(ppszMessage, kBadThreshold);
    return FALSE;
  }
  // The last thresholded spectrum, kept for the data.
  std::vector<float> last;
  try {
    last.resize(nIterations > 0 ? (size_t)nZeroFill : 0);
  } catch (const std::bad_alloc&) {
    SetMessage(ppszMessage, kNoMemory);
    return FALSE;
  }
  if (nZeroFill != t0 && !s.ZeroFill(nZeroFill, ppszMessage))
    return FALSE;
  const int td = s.m_paramsA.td;
  const size_t nBytes = sizeof(float) * (size_t)td;
  std::memcpy(s.m_pData, s.m_pRawData, nBytes);
  const float fPhase0 = (float)s.m_dPhase0, fPhase1 = (float)s.m_dPhase1;
  for (int n = 0; n < nIterations; n++) {
    std::memcpy(s.m_pData, s.m_pRawData, nBytes);
    const int nRotated = TransformAsRecorded(s);
    std::memcpy(s.m_pWeighted, s.m_pData, nBytes);
    s.PhaseCorrect(TRUE);
    SoftThreshold(s.m_pData, td, (float)dThreshold);
    if (n == nIterations - 1)
      std::memcpy(last.data(), s.m_pData, nBytes);
    // The lines were kept in absorption; the FID is rebuilt in its own phase.
    s.RotatePhase(s.m_pData, -fPhase0, -fPhase1, 1, 1, td / 2);
    InverseAsRecorded(s, nRotated);
    std::memcpy(s.m_pRawData + t0, s.m_pData + t0, sizeof(float) * (size_t)(td - t0));
  }
  if (nIterations > 0) {
    std::memcpy(s.m_pData, last.data(), nBytes);
    Inverse(s.m_pData, td, 1, 0, bBrukerImport ? 0 : 1);
  }
  // The data are an FID again: the transform offered next is a forward one.
  s.m_bTransformed = 0;
  s.m_bDataChanged = 1;
  return TRUE;
}
