#include "ndim/processing/NdBaselineFit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "ndim/data/Spectrum2D.h"
#include "numerics/Constants.h"

namespace {

const double kDropLimit = 1.1920929e-7;  // 2^-23: a column that adds nothing

// The values of the basis functions at abscissa x.
void Basis(double x, bool trig, int columns, double* row) {
  if (!trig) {
    double p = 1.0;
    for (int c = 0; c < columns; ++c, p *= x)
      row[c] = p;
    return;
  }
  row[0] = 1.0;
  for (int k = 1, c = 1; c < columns; ++k, c += 2) {
    const double s = std::sin(k * x);
    // The cosine taken from the sine: never negative, so the pair bends
    // the same way on both halves of the trace.
    row[c] = std::sqrt(std::fmax(0.0, 1.0 - s * s));
    if (c + 1 < columns)
      row[c + 1] = s;
  }
}

// Least squares by Householder QR of the rows x columns matrix a (row-major);
// y is overwritten. Columns that add nothing get a coefficient of 0.
void SolveLeastSquares(std::vector<double>& a, std::vector<double>& y, int rows, int columns,
                       std::vector<double>& coef) {
  std::vector<int> pivotRow(columns, -1);
  int r = 0;
  for (int j = 0; j < columns && r < rows; ++j) {
    double norm = 0;
    for (int i = r; i < rows; ++i)
      norm += a[i * columns + j] * a[i * columns + j];
    norm = std::sqrt(norm);
    const double x0 = a[r * columns + j];
    const double alpha = x0 >= 0 ? -norm : norm;
    if (!(std::fabs(alpha) > kDropLimit))
      continue;
    // v = x - alpha e1, stored in place of the column below the diagonal.
    std::vector<double> v(rows - r);
    for (int i = r; i < rows; ++i)
      v[i - r] = a[i * columns + j];
    v[0] -= alpha;
    double vv = 0;
    for (double e : v)
      vv += e * e;
    if (vv > 0) {
      for (int c = j + 1; c < columns; ++c) {
        double dot = 0;
        for (int i = r; i < rows; ++i)
          dot += v[i - r] * a[i * columns + c];
        const double f = 2 * dot / vv;
        for (int i = r; i < rows; ++i)
          a[i * columns + c] -= f * v[i - r];
      }
      double dot = 0;
      for (int i = r; i < rows; ++i)
        dot += v[i - r] * y[i];
      const double f = 2 * dot / vv;
      for (int i = r; i < rows; ++i)
        y[i] -= f * v[i - r];
    }
    a[r * columns + j] = alpha;
    pivotRow[j] = r++;
  }
  coef.assign(columns, 0.0);
  for (int j = columns - 1; j >= 0; --j) {
    const int row = pivotRow[j];
    if (row < 0)
      continue;
    double s = y[row];
    for (int c = j + 1; c < columns; ++c)
      if (pivotRow[c] >= 0)
        s -= a[row * columns + c] * coef[c];
    coef[j] = s / a[row * columns + j];
  }
}

// At most m baseline points, spread evenly over those of the trace and
// clear of its first and last 9 points.
void PickFitPoints(const unsigned char* marks, int n, int baseline, int m, std::vector<int>& picks) {
  picks.clear();
  int k = 9;
  while (k < n - 9 && marks[k])
    ++k;
  if (k >= n - 9)
    return;
  picks.push_back(k);
  const long long q = static_cast<long long>(baseline) * 4096 / (m - 1);
  long long acc = 0;
  for (++k; k < n - 9 && static_cast<int>(picks.size()) < m; ++k) {
    if (marks[k])
      continue;
    acc += 4096;
    if (acc >= q) {
      picks.push_back(k);
      acc -= q;
    }
  }
}

}  // namespace

int NdFindBaselinePoints(const double* trace, int n, int width, double threshold, unsigned char* marks, double* d,
                         double* limit) {
  const int w = width < 2 ? 2 : width;
  for (int k = 0; k < n; ++k)
    marks[k] = 0;
  *limit = 0;
  if (n < 2 * w + 2)
    return n;

  // d(k) = |S(k) - S(k-1)| of the moving sums of 2w + 1 values.
  for (int k = w + 1; k <= n - w - 1; ++k)
    d[k] = std::fabs(trace[k + w] - trace[k - w - 1]);

  double sum = 0, sum2 = 0;
  long long count = 0;
  for (int k = n - w - 1; k >= w + 1; --k) {
    if (d[k] > threshold) {
      marks[k] = 1;
    } else {
      sum += d[k];
      sum2 += d[k] * d[k];
      ++count;
    }
  }
  bool marked = true;
  while (marked && count > 0) {
    const double mean = sum / count;
    const double var = sum2 / count - mean * mean;
    const double lim = mean + 3 * std::sqrt(var > 0 ? var : 0);
    *limit = lim;
    marked = false;
    for (int k = w + 1; k <= n - w - 1; ++k) {
      if (!marks[k] && d[k] > lim) {
        marks[k] = 1;
        sum -= d[k];
        sum2 -= d[k] * d[k];
        --count;
        marked = true;
      }
    }
  }
  // Close gaps: a point whose neighbours at distance j on both sides are
  // signal becomes signal, for j = w - 1 down to 1.
  for (int j = w - 1, i = 2 * w, end = n - 2 * w; j >= 1; --j, --i, ++end) {
    for (int k = i; k <= end; ++k)
      if (!marks[k] && marks[k - j] && marks[k + i - w - 1])
        marks[k] = 1;
  }
  int baseline = 0;
  for (int k = 0; k < n; ++k)
    baseline += !marks[k];
  return baseline;
}

int NdBaselineFit(CSpectrum2D& set, int dim, int order, int basis, int width) {
  const int last = set.m_nLastDim;
  if (!set.m_pData || last < 1 || last >= CSpectrum2D::MaxDimensions)
    return 0;
  dim = std::clamp(dim, 1, last);
  order = std::clamp(order, 0, 30);
  width = std::clamp(width, 0, 9);
  const bool trig = basis != 0;
  const int orderUsed = trig ? 2 * order : order;
  set.MakeReal();

  const int n = set.m_dims[dim].m_nPoints;
  const int stride = set.GetOuterCountOf(dim);
  const int inner = set.GetInnerCountOf(dim);
  const int m = n / 16 + order * 64 + 8;
  const long long probe =
      n + (static_cast<long long>(orderUsed + 3) * (m + 1) + (static_cast<long long>(m) + n) * 2) * 8;
  if (probe > 0x7FFFFFFFLL)
    return 1;
  void* check = std::malloc(static_cast<std::size_t>(probe));
  if (!check)
    return 1;
  std::free(check);

  const int columns = orderUsed + 1;
  std::vector<double> trace, derivative, a, y, coef, row(columns), abscissa;
  std::vector<unsigned char> marks;
  std::vector<int> picks;
  try {
    trace.resize(n);
    derivative.resize(n);
    marks.resize(n);
    abscissa.resize(n);
    picks.reserve(m);
    a.reserve(static_cast<std::size_t>(m) * columns);
    y.reserve(m);
    coef.reserve(columns);
  } catch (const std::bad_alloc&) {
    return 1;
  }
  for (int i = 0; i < n; ++i)
    abscissa[i] = trig ? i * kPi / n : static_cast<double>(i) / n + 0.5;

  double largestLimit = 0;
  try {
    for (int b = 0; b < inner; ++b) {
      for (int t = 0; t < stride; ++t) {
        float* p = set.m_pData + static_cast<std::size_t>(b) * n * stride + t;
        for (int i = 0; i < n; ++i)
          trace[i] = p[static_cast<std::size_t>(i) * stride];
        // Twice the largest limit so far; a run of empty traces gives no limit
        // and must not mark every later point as signal.
        const double threshold = largestLimit > 0 ? 2 * largestLimit : 1e30;
        double limit = 0;
        const int baseline =
            NdFindBaselinePoints(trace.data(), n, width, threshold, marks.data(), derivative.data(), &limit);
        if (limit > largestLimit)
          largestLimit = limit;

        PickFitPoints(marks.data(), n, baseline, m, picks);
        const int rows = static_cast<int>(picks.size());
        if (rows == 0)
          continue;
        a.assign(static_cast<std::size_t>(rows) * columns, 0.0);
        y.assign(rows, 0.0);
        for (int r = 0; r < rows; ++r) {
          Basis(abscissa[picks[r]], trig, columns, &a[static_cast<std::size_t>(r) * columns]);
          y[r] = trace[picks[r]];
        }
        SolveLeastSquares(a, y, rows, columns, coef);
        for (int i = 0; i < n; ++i) {
          double v;
          if (!trig) {
            v = 0;
            for (int c = columns - 1; c >= 0; --c)
              v = v * abscissa[i] + coef[c];
          } else {
            Basis(abscissa[i], true, columns, row.data());
            v = 0;
            for (int c = 0; c < columns; ++c)
              v += coef[c] * row[c];
          }
          p[static_cast<std::size_t>(i) * stride] = static_cast<float>(trace[i] - v);
        }
      }
    }
  } catch (const std::bad_alloc&) {
    return 1;
  }
  return 0;
}
