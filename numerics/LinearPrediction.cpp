#include "numerics/LinearPrediction.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace {

typedef CLinearPrediction::Complex Complex;

// The order recursion stops when the fitted part leaves less than this
// fraction of the target energy, or a further column adds less than this
// fraction of its own energy: the window then holds fewer exponentials than
// coefficients and higher orders would only fit rounding.
const double kResidualTolerance = 1e-11;
const double kPivotTolerance = 1e-12;

// Index of column k's first entry in the packed upper triangle (1-based
// rows and columns, column by column).
inline std::size_t Packed(int i, int k) {
  return static_cast<std::size_t>(k - 1) * k / 2 + (i - 1);
}

inline std::size_t FloatIndex(int trace, long long sample, int stride) {
  return 2 * (static_cast<std::size_t>(trace) + static_cast<std::size_t>(sample) * stride);
}

}  // namespace

Complex CLinearPrediction::ComplexDot(const Complex* u, const Complex* v, int n) {
  double re = 0.0, im = 0.0;
  for (int k = 0; k < n; ++k) {
    re += u[k].real() * v[k].real() + u[k].imag() * v[k].imag();
    im += u[k].real() * v[k].imag() - u[k].imag() * v[k].real();
  }
  return Complex(re, im);
}

void CLinearPrediction::Scale(Complex* u, int n, double factor) {
  for (int k = 0; k < n; ++k)
    u[k] *= factor;
}

double complex_norm(const CLinearPrediction::Complex* u, int n) {
  double sum = 0.0;
  for (int k = 0; k < n; ++k)
    sum += u[k].real() * u[k].real() + u[k].imag() * u[k].imag();
  return std::sqrt(sum);
}

std::size_t lp_workspace(int basis, int coefficients, int traces) {
  if (basis < 0 || coefficients < 0 || traces < 0)
    return 0;
  const unsigned long long b = basis, m = coefficients, t = traces;
  const unsigned long long values = (b + 2 * m) * (t + 6) + m * (m + 1) / 2 + 1;
  const unsigned long long bytes = values * sizeof(Complex);
  if (bytes / sizeof(Complex) != values || bytes > SIZE_MAX)
    return 0;
  return static_cast<std::size_t>(bytes);
}

// The columns of the basis equations are shifted copies of the window:
// column j holds w[M + r - j] for r = 0 ... L-1 (L = basis), and the target
// is column 0. Their Gram matrix G therefore follows from its previous
// column by adding one product and removing one:
//   G[i][k] = G[i-1][k-1] + conj(w[M-i]) w[M-k] - conj(w[M+L-i]) w[M+L-k],
// so only its first row costs a full inner product. The Cholesky factor
// R (G = R^H R) grows one order per column, packed by columns; z = R^-H b
// grows with it and the residual energy of order k is |y|^2 - |z[1..k]|^2.
int CLinearPrediction::SolveCoefficients(const Complex* window, Complex* coefficients, Complex* scratch, int basis,
                                         int nCoefficients) {
  const int M = nCoefficients;
  const int L = basis;
  for (int j = 0; j < M; ++j)
    coefficients[j] = Complex(0.0, 0.0);
  if (M < 1 || L < 1)
    return 0;

  Complex* gPrev = scratch;         // column k-1 of G, rows 0 ... k-1
  Complex* gCur = gPrev + (M + 1);  // column k of G, rows 0 ... k
  Complex* z = gCur + (M + 1);      // z[1 ... M]
  Complex* r = z + (M + 1);         // packed R, M(M+1)/2 values

  const Complex* target = window + M;
  gPrev[0] = ComplexDot(target, target, L);
  const double energy = gPrev[0].real();
  if (!(energy > 0.0))
    return 0;
  double residual = energy;

  int order = 0;
  for (int k = 1; k <= M; ++k) {
    gCur[0] = ComplexDot(target, window + M - k, L);
    for (int i = 1; i <= k; ++i)
      gCur[i] =
          gPrev[i - 1] + std::conj(window[M - i]) * window[M - k] - std::conj(window[M + L - i]) * window[M + L - k];

    double pivot = gCur[k].real();
    for (int i = 1; i < k; ++i) {
      Complex v = gCur[i];
      for (int l = 1; l < i; ++l)
        v -= std::conj(r[Packed(l, i)]) * r[Packed(l, k)];
      v /= r[Packed(i, i)].real();
      r[Packed(i, k)] = v;
      pivot -= std::norm(v);
    }
    if (!(pivot > kPivotTolerance * gCur[k].real()))
      break;
    const double rkk = std::sqrt(pivot);
    r[Packed(k, k)] = Complex(rkk, 0.0);

    Complex b = std::conj(gCur[0]);
    for (int l = 1; l < k; ++l)
      b -= std::conj(r[Packed(l, k)]) * z[l];
    z[k] = b / rkk;
    residual -= std::norm(z[k]);
    order = k;
    if (residual <= kResidualTolerance * energy)
      break;

    Complex* t = gPrev;
    gPrev = gCur;
    gCur = t;
  }

  for (int k = order; k >= 1; --k) {
    Complex v = z[k];
    for (int l = k + 1; l <= order; ++l)
      v -= r[Packed(k, l)] * coefficients[l - 1];
    coefficients[k - 1] = v / r[Packed(k, k)].real();
  }
  return order;
}

bool CLinearPrediction::IsValid(int points, int stride, int basis, int coefficients, int traces, int first, int last,
                                int direction) {
  const int M = coefficients;
  if (points < 1 || stride < 1 || M < 1 || basis < M)
    return false;
  if (traces < 1 || traces > MaxTraces || traces > stride)
    return false;
  if (basis > INT_MAX - 2 * M)
    return false;
  if (first < 0 || last >= points || first > last + 1)
    return false;
  const long long g = static_cast<long long>(basis) + M;
  const bool forward = static_cast<short>(direction) >= 0;
  return forward ? first - g >= 0 : last + g < points;
}

int CLinearPrediction::Predict(float* data, int points, int stride, int basis, int coefficients, int traces, int first,
                               int last, int direction, void* work, std::size_t workBytes) {
  const int M = coefficients;
  if (!data || !work || !IsValid(points, stride, basis, M, traces, first, last, direction))
    return 0;
  const std::size_t needed = lp_workspace(basis, M, traces);
  if (needed == 0 || workBytes < needed)
    return 0;
  if (first == last + 1)
    return 1;

  const bool forward = static_cast<short>(direction) >= 0;
  const int g = basis + M;

  Complex* windows = static_cast<Complex*>(work);
  Complex* coefs = windows + static_cast<std::size_t>(traces) * g;
  Complex* scratch = coefs + static_cast<std::size_t>(traces) * M;

  // The copy always runs towards the predicted points, so one solver serves
  // both directions.
  for (int t = 0; t < traces; ++t) {
    Complex* w = windows + static_cast<std::size_t>(t) * g;
    for (int u = 0; u < g; ++u) {
      const long long sample = forward ? static_cast<long long>(first) - g + u : static_cast<long long>(last) + g - u;
      const std::size_t f = FloatIndex(t, sample, stride);
      w[u] = Complex(data[f], data[f + 1]);
    }
    SolveCoefficients(w, coefs + static_cast<std::size_t>(t) * M, scratch, basis, M);
  }
  for (std::size_t j = 0; j < static_cast<std::size_t>(traces) * M; ++j)
    if (!std::isfinite(coefs[j].real()) || !std::isfinite(coefs[j].imag()))
      return 0;

  const int s = forward ? 1 : -1;
  for (int t = 0; t < traces; ++t) {
    const Complex* a = coefs + static_cast<std::size_t>(t) * M;
    for (long long k = forward ? first : last; forward ? k <= last : k >= first; k += s) {
      Complex v(0.0, 0.0);
      for (int j = 1; j <= M; ++j) {
        const std::size_t f = FloatIndex(t, k - static_cast<long long>(j) * s, stride);
        v += a[j - 1] * Complex(data[f], data[f + 1]);
      }
      const std::size_t f = FloatIndex(t, k, stride);
      data[f] = static_cast<float>(v.real());
      data[f + 1] = static_cast<float>(v.imag());
    }
  }
  return 1;
}
