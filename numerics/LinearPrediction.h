// Linear prediction of complex signals: extends a trace forward or rebuilds
// its first points backward from a least-squares predictor fitted to the
// points next to the predicted run. Used by the 1D program on one trace and
// by the 2D program on up to eight interleaved traces at once.
#pragma once

#include <complex>
#include <cstddef>

class CLinearPrediction {
 public:
  typedef std::complex<double> Complex;

  enum { MaxTraces = 8 };

  CLinearPrediction() {}
  virtual ~CLinearPrediction() {}

  // data: complex points as float pairs; sample k of trace i is complex
  // point i + k * stride, and each trace has `points` samples. Predicts
  // samples first ... last of every trace: forward (direction >= 0 as a
  // 16-bit value) from the basis + coefficients samples ending at first - 1,
  // backward from those starting at last + 1. first = last + 1 predicts
  // nothing. work must hold lp_workspace(basis, coefficients, traces) bytes.
  // Returns 1, or 0 without touching the data when the arguments do not
  // describe a window and a run inside the data (coefficients >= 1,
  // basis >= coefficients, 1 <= traces <= min(8, stride)) or the work area
  // is too small.
  int Predict(float* data, int points, int stride, int basis, int coefficients, int traces, int first, int last,
              int direction, void* work, std::size_t workBytes);

  // The argument checks of Predict, apart from the work area: true when the
  // window and the run lie inside traces of `points` samples.
  static bool IsValid(int points, int stride, int basis, int coefficients, int traces, int first, int last,
                      int direction);

  // Least-squares coefficients a[0 .. M-1] of the basis equations
  // x[t] = sum a[j-1] x[t-j], j = 1 ... M, for t = M ... basis + M - 1 of the
  // window (basis + M points). Order-recursive: when the residual vanishes or
  // a further column adds nothing (a window of fewer exponentials than M),
  // the higher coefficients stay 0. scratch must hold
  // 6 * (basis + 2M) + M(M+1)/2 + 1 values. Returns the order reached.
  int SolveCoefficients(const Complex* window, Complex* coefficients, Complex* scratch, int basis, int nCoefficients);

  // sum over k of conj(u[k]) v[k]
  static Complex ComplexDot(const Complex* u, const Complex* v, int n);
  // multiplies all 2n components by factor
  static void Scale(Complex* u, int n, double factor);
};

// sqrt of the sum of the squares of all 2n components
double complex_norm(const CLinearPrediction::Complex* u, int n);

// Bytes of the work area for one Predict call; 0 when the arguments are
// negative or the size does not fit in memory.
std::size_t lp_workspace(int basis, int coefficients, int traces);
