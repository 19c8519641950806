#include "ndim/processing/NdProcessing.h"

#include <cmath>
#include <cstddef>

#include "ndim/processing/NdFourier.h"
#include "ndim/processing/NdPhase.h"
#include "ndim/data/Spectrum2D.h"
#include "numerics/Constants.h"

bool NdTransformStep(CSpectrum2D& set, bool inverse, bool realSequence) {
  const int dim = set.m_nCurrentDim;
  if (set.m_bReal || !set.m_pData || !set.IsValidDimension(dim))
    return false;
  const int d = inverse ? -1 : 1;
  const int count = set.GetCurrentCount();
  long long n = 1;
  while (n < count)
    n *= 2;
  if (n != count && !set.ZeroFill(static_cast<int>(n)))
    return false;

  const int inner = set.GetInnerCount();
  const int outer = set.GetOuterCount();
  NdFft(set.m_pData, inner, static_cast<int>(n), outer, d, set.m_trig);
  if (realSequence)
    NdRealSplit(set.m_pData, inner, static_cast<int>(n), outer, d);
  const double p = set.m_dims[dim].m_fFirstPoint;
  if (p != 0)
    NdPhase(set.m_pData, inner, static_cast<int>(n), outer, 0.0, -2.0 * kPi * p);

  if (d > 0)
    set.m_phasingOrder[0] = static_cast<BYTE>(dim);
  // Forward from f2 to f1, then to 0 (done); an inverse goes the other way,
  // past the last dimension too.
  set.m_nCurrentDim = dim - d;
  return true;
}

bool NdPhaseStep(CSpectrum2D& set, int dim, double zero, double first) {
  if (set.m_bReal || !set.m_pData || !set.IsValidDimension(dim))
    return false;
  NdPhase(set.m_pData, set.GetInnerCountOf(dim), set.m_dims[dim].m_nPoints, set.GetOuterCountOf(dim), zero, first);
  return true;
}

bool NdHilbertStep(CSpectrum2D& set) {
  const int dim = set.m_nCurrentDim;
  if (!set.m_pData || !set.IsValidDimension(dim))
    return false;
  const int n = set.GetCurrentCount();
  if (!NdIsPowerOfTwo(n))
    return false;
  if (set.m_bReal && !set.MakeComplex())
    return false;

  const int inner = set.GetInnerCount();
  const int outer = set.GetOuterCount();
  float* data = set.m_pData;
  const std::size_t floats = static_cast<std::size_t>(set.GetTotalPoints()) * 2;
  for (std::size_t i = 1; i < floats; i += 2)
    data[i] = 0.0f;
  NdFft(data, inner, n, outer, -1, set.m_trig);

  const std::size_t col = 2 * static_cast<std::size_t>(outer);
  const int zeroFrom = n / 2 > 1 ? n / 2 : 1;
  for (int b = 0; b < inner; ++b) {
    float* block = data + b * col * n;
    for (int k = 0; k < n; ++k) {
      const float f = k == 0 ? 1.0f / n : k < zeroFrom ? 2.0f / n : 0.0f;
      float* p = block + k * col;
      for (std::size_t i = 0; i < col; ++i)
        p[i] *= f;
    }
  }
  NdFft(data, inner, n, outer, 1, set.m_trig);
  return true;
}
