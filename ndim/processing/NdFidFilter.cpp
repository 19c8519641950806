#include "ndim/processing/NdFidFilter.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "ndim/processing/NdPhase.h"
#include "ndim/data/Spectrum2D.h"
#include "numerics/LinearPrediction.h"
#include "numerics/Constants.h"

namespace {

// One row of n pairs: smooth, rebuild both ends, then subtract or replace.
void FilterRow(float* x, float* y, int n, int s, const std::vector<double>& w, void* work, std::size_t workBytes,
               bool subtract) {
  const int m = 2 * s + 1;
  for (int k = s; k < n - s; ++k) {
    double re = 0, im = 0;
    const float* p = x + 2 * (k - s);
    for (int j = 0; j < m; ++j) {
      re += w[j] * p[2 * j];
      im += w[j] * p[2 * j + 1];
    }
    y[2 * k] = static_cast<float>(re);
    y[2 * k + 1] = static_cast<float>(im);
  }
  // The first s points backward from the filtered points after them.
  CLinearPrediction lp;
  if (!lp.Predict(y, n, 1, s, 1, 1, 0, s - 1, -1, work, workBytes)) {
    for (int k = 0; k < s; ++k)
      y[2 * k] = y[2 * s], y[2 * k + 1] = y[2 * s + 1];
  }
  // The last s points continue the line through the last filtered point and
  // the one s points before it.
  const int e = n - s - 1;
  const double stepRe = (static_cast<double>(y[2 * e]) - y[2 * (e - s)]) / s;
  const double stepIm = (static_cast<double>(y[2 * e + 1]) - y[2 * (e - s) + 1]) / s;
  for (int t = 1; t <= s; ++t) {
    y[2 * (e + t)] = static_cast<float>(y[2 * e] + t * stepRe);
    y[2 * (e + t) + 1] = static_cast<float>(y[2 * e + 1] + t * stepIm);
  }
  for (int i = 0; i < 2 * n; ++i)
    x[i] = subtract ? x[i] - y[i] : y[i];
}

}  // namespace

bool NdFidFilter(CSpectrum2D& set, int selectivity, double offsetHz, bool subtract) {
  const int last = set.m_nLastDim;
  if (set.m_bReal || !set.m_pData || !set.IsValidDimension(last))
    return false;
  const int s = selectivity < 4 ? 4 : selectivity > 32 ? 32 : selectivity;
  const int n = set.m_dims[last].m_nPoints;
  const double sw = set.m_dims[last].m_fSpectralWidth;
  if (n < 3 * s + 1 || !(sw > 0) || !std::isfinite(offsetHz))
    return false;
  const int rows = set.GetInnerCountOf(last);

  const std::size_t workBytes = lp_workspace(s, 1, 1);
  void* work = workBytes ? std::malloc(workBytes) : nullptr;
  float* row = static_cast<float*>(std::malloc(2 * static_cast<std::size_t>(n) * sizeof(float)));
  if (!work || !row) {
    std::free(work);
    std::free(row);
    return false;
  }
  const int m = 2 * s + 1;
  std::vector<double> w(m);
  double sum = 0;
  for (int j = 0; j < m; ++j)
    sum += w[j] = std::sin((j + 1) * kPi / (m + 1));
  for (double& v : w)
    v /= sum;

  const double first = -2.0 * kPi * offsetHz * n / sw;
  NdPhase(set.m_pData, rows, n, 1, 0.0, first);
  for (int r = 0; r < rows; ++r)
    FilterRow(set.m_pData + 2 * static_cast<std::size_t>(n) * r, row, n, s, w, work, workBytes, subtract);
  NdPhase(set.m_pData, rows, n, 1, 0.0, -first);
  std::free(work);
  std::free(row);
  return true;
}
