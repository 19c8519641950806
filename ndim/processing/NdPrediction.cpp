#include "ndim/processing/NdPrediction.h"

#include <cstdlib>
#include <cstring>

#include "ndim/data/Spectrum2D.h"
#include "numerics/LinearPrediction.h"

bool NdPredictStep(CSpectrum2D& set, int first, int last, int points, int coefficients) {
  const int dim = set.m_nCurrentDim;
  if (set.m_bReal || !set.m_pData || !set.IsValidDimension(dim))
    return false;
  if (coefficients < 1 || points < coefficients)
    return false;

  const long long count = set.GetCurrentCount();
  const long long shift = first < 0 ? -static_cast<long long>(first) : 0;
  const long long f = first + shift;
  const long long l = last + shift;
  const long long g = static_cast<long long>(points) + coefficients;
  const bool forward = g < first;
  if (l < f)
    return false;
  long long newCount = count;
  if (shift)
    newCount = count + shift;
  else if (l >= count)
    newCount = l + 1;
  // The basis window must lie in the original points, which start at shift.
  if (forward) {
    if (f - g < shift || f > shift + count)
      return false;
  } else {
    if (l + 1 < shift || l + g > shift + count - 1)
      return false;
  }
  const int inner = set.GetInnerCount();
  const int outer = set.GetOuterCount();
  if (newCount > 2147483647LL || !CSpectrum2D::SizeFits(inner * newCount * outer, 2))
    return false;

  const int traces = outer >= 8 ? 8 : 1;
  const std::size_t workBytes = lp_workspace(points, coefficients, traces);
  void* work = workBytes ? std::malloc(workBytes) : nullptr;
  if (!work)
    return false;
  if (newCount != count && !set.ZeroFill(static_cast<int>(newCount))) {
    std::free(work);
    return false;
  }
  const std::size_t col = 2 * static_cast<std::size_t>(outer);
  const std::size_t block = col * static_cast<std::size_t>(newCount);
  if (shift) {
    // Every run of the dimension moves up to make room for the new first points.
    for (int b = 0; b < inner; ++b) {
      float* p = set.m_pData + b * block;
      std::memmove(p + shift * col, p, static_cast<std::size_t>(count) * col * sizeof(float));
      std::memset(p, 0, static_cast<std::size_t>(shift) * col * sizeof(float));
    }
  }
  CLinearPrediction lp;
  for (int b = 0; b < inner; ++b) {
    float* p = set.m_pData + b * block;
    int c = 0;
    while (c < outer) {
      const int group = outer - c >= 8 ? 8 : 1;
      lp.Predict(p + 2 * static_cast<std::size_t>(c), static_cast<int>(newCount), outer, points, coefficients, group,
                 static_cast<int>(f), static_cast<int>(l), forward ? 1 : -1, work, workBytes);
      c += group;
    }
  }
  std::free(work);
  return true;
}
