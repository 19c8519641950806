// Phase rotation of a spectrum's complex data: zero order (the same angle for
// every point) and first order (an angle growing linearly from the pivot).
#include <cmath>

#include "onedim/model/Spectrum.h"

namespace {

// Turns the complex value at p by the angle (cos c, sin s): the new parts
// are computed from the old ones. With bRealOnly the imaginary part stays.
inline void Turn(float* p, long double c, long double s, bool bRealOnly) {
  const long double re = p[0];
  const long double im = p[1];
  p[0] = (float)(re * c - im * s);
  if (!bRealOnly)
    p[1] = (float)(im * c + re * s);
}

// The rotation shared by RotatePhase and PhaseCorrect. Blocks of
// nPoints x nStride complex values follow one another; nLimit is the number
// of complex values the buffer holds (negative when the caller vouches for
// it), and nothing beyond it is touched.
void RotateBlocks(float* pBuffer, float fPhase0, float fPhase1, int nStride, int nBlocks, int nPoints, int nPivot,
                  long long nLimit, bool bRealOnly) {
  if (pBuffer == nullptr || nStride < 1 || nBlocks < 1 || nPoints < 1)
    return;
  const long double a0 = fPhase0;
  const long double a1 = fPhase1;
  const long long nPerBlock = (long long)nPoints * nStride;
  for (long long b = 0; b < nBlocks; b++) {
    const long long nFirst = b * nPerBlock;
    long long nEnd = nFirst + nPerBlock;
    if (nLimit >= 0 && nEnd > nLimit)
      nEnd = nLimit;
    if (nEnd <= nFirst)
      return;
    if (std::fabs(a1) > 0.0001L) {
      long long j = -(nPivot / 2);
      for (long long v = nFirst; v < nEnd; v += nStride, j++) {
        const long double angle = a0 + (long double)j * a1 / nPoints;
        Turn(pBuffer + 2 * v, std::cos(angle), std::sin(angle), bRealOnly);
      }
    } else if (std::fabs(std::sin(a0)) > 0.00001L) {
      const long double c = std::cos(a0);
      const long double s = std::sin(a0);
      for (long long v = nFirst; v < nEnd; v++)
        Turn(pBuffer + 2 * v, c, s, bRealOnly);
    } else if (std::cos(a0) < 0) {
      for (long long v = nFirst; v < nEnd; v++) {
        pBuffer[2 * v] = -pBuffer[2 * v];
        if (!bRealOnly)
          pBuffer[2 * v + 1] = -pBuffer[2 * v + 1];
      }
    }
  }
}

}  // namespace

void CSpectrum::RotatePhase(float* pBuffer, float fPhase0, float fPhase1, int nStride, int nBlocks, int nPoints) {
  // The spectrum's own data are known to hold td floats; other buffers are
  // the caller's to size.
  const long long nLimit = pBuffer == m_pData ? m_paramsA.td / 2 : -1;
  RotateBlocks(pBuffer, fPhase0, fPhase1, nStride, nBlocks, nPoints, m_nPivot, nLimit, false);
  if (pBuffer == m_pData)
    m_bDataChanged = 1;
}

void CSpectrum::SetPhase(float fPhase0, float fPhase1) {
  RotatePhase(m_pData, (float)(fPhase0 - m_dPhase0), (float)(fPhase1 - m_dPhase1), 1, 1, m_paramsA.td / 2);
  m_dPhase0 = fPhase0;
  m_dPhase1 = fPhase1;
  m_bPhaseChanged = 1;
}

// Re-applies the phase the user set (stored in radians) to freshly
// transformed data, with the same angles SetPhase would use.
BOOL CSpectrum::PhaseCorrect(BOOL bAlsoImaginary) {
  if (m_pData == nullptr)
    return TRUE;
  const int nPoints = m_paramsA.td / 2;
  if (nPoints >= 2)
    m_pData[1] = m_pData[3];
  RotateBlocks(m_pData, (float)m_dPhase0, (float)m_dPhase1, 1, 1, nPoints, m_nPivot, nPoints, !bAlsoImaginary);
  m_bDataChanged = 1;
  return TRUE;
}
