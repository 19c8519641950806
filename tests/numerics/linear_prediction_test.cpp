#include "numerics/LinearPrediction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace {

typedef std::complex<double> Complex;

struct Line {
  double amplitude, decay, omega, phase;  // decay per point, omega radians per point
};

Complex SumOfLines(const std::vector<Line>& lines, double k) {
  Complex v(0, 0);
  for (const Line& l : lines)
    v += l.amplitude * std::exp(Complex(-l.decay * k, l.omega * k + l.phase));
  return v;
}

// One trace of n points; points at and beyond `valid` are zero.
std::vector<float> Trace(const std::vector<Line>& lines, int n, int valid) {
  std::vector<float> d(2 * n, 0.0f);
  for (int k = 0; k < valid; ++k) {
    const Complex v = SumOfLines(lines, k);
    d[2 * k] = static_cast<float>(v.real());
    d[2 * k + 1] = static_cast<float>(v.imag());
  }
  return d;
}

int PredictTrace(std::vector<float>& d, int points, int stride, int basis, int m, int traces, int first, int last,
                 int direction) {
  std::vector<char> work(lp_workspace(basis, m, traces) + 64);
  CLinearPrediction lp;
  return lp.Predict(d.data(), points, stride, basis, m, traces, first, last, direction, work.data(), work.size());
}

const std::vector<Line> kThreeLines = {{1.0, 0.004, 0.31, 0.2}, {0.6, 0.010, -1.13, 1.0}, {0.3, 0.002, 2.2, -0.5}};

TEST(LinearPrediction, ForwardContinuesASumOfDampedExponentials) {
  const int n = 256, total = 512, m = 8, basis = n - m - 1;
  std::vector<float> d = Trace(kThreeLines, total, n);
  ASSERT_EQ(PredictTrace(d, total, 1, basis, m, 1, n, total - 1, 0), 1);
  double err = 0, ref = 0;
  for (int k = n; k < total; ++k) {
    const Complex want = SumOfLines(kThreeLines, k);
    err += std::norm(Complex(d[2 * k], d[2 * k + 1]) - want);
    ref += std::norm(want);
  }
  EXPECT_LT(std::sqrt(err / ref), 1e-4);
}

TEST(LinearPrediction, BackwardRebuildsTheFirstPoints) {
  const int total = 300, gap = 10, m = 6, basis = 120;
  std::vector<float> d = Trace(kThreeLines, total, total);
  for (int k = 0; k < gap; ++k)
    d[2 * k] = d[2 * k + 1] = 0.0f;
  ASSERT_EQ(PredictTrace(d, total, 1, basis, m, 1, 0, gap - 1, -1), 1);
  for (int k = 0; k < gap; ++k) {
    const Complex want = SumOfLines(kThreeLines, k);
    EXPECT_LT(std::abs(Complex(d[2 * k], d[2 * k + 1]) - want), 1e-4 * std::abs(want)) << k;
  }
}

TEST(LinearPrediction, OneExponentialIsContinuedWithOneCoefficient) {
  const std::vector<Line> one = {{2.0, 0.001, 0.7, 0.0}};
  const int n = 64, total = 128;
  std::vector<float> d = Trace(one, total, n);
  ASSERT_EQ(PredictTrace(d, total, 1, n - 2, 1, 1, n, total - 1, 0), 1);
  for (int k = n; k < total; ++k) {
    const Complex want = SumOfLines(one, k);
    EXPECT_NEAR(d[2 * k], want.real(), 1e-5) << k;
    EXPECT_NEAR(d[2 * k + 1], want.imag(), 1e-5) << k;
  }
}

// Two exponentials fitted with 16 coefficients: the order recursion stops
// at order 2 and the predictor stays finite and exact.
TEST(LinearPrediction, RankDeficientWindowStopsAtTheSignalOrder) {
  const std::vector<Line> two = {{1.0, 0.0, 0.5, 0.0}, {0.5, 0.0, -1.5, 0.3}};
  const int m = 16, basis = 40, g = basis + m;
  std::vector<Complex> window(g);
  for (int k = 0; k < g; ++k)
    window[k] = SumOfLines(two, k);
  std::vector<Complex> coef(m), scratch(6 * (basis + 2 * m) + m * (m + 1) / 2 + 1);
  CLinearPrediction lp;
  const int order = lp.SolveCoefficients(window.data(), coef.data(), scratch.data(), basis, m);
  EXPECT_EQ(order, 2);
  for (int j = 0; j < m; ++j) {
    EXPECT_TRUE(std::isfinite(coef[j].real()) && std::isfinite(coef[j].imag()));
    if (j >= order) {
      EXPECT_EQ(coef[j], Complex(0, 0));
    }
  }
  // x[t] = a1 x[t-1] + a2 x[t-2] holds on the window.
  for (int t = m; t < g; ++t) {
    const Complex p = coef[0] * window[t - 1] + coef[1] * window[t - 2];
    EXPECT_LT(std::abs(p - window[t]), 1e-9);
  }
  // An all-zero window gives order 0 and zero coefficients.
  std::vector<Complex> zero(g);
  EXPECT_EQ(lp.SolveCoefficients(zero.data(), coef.data(), scratch.data(), basis, m), 0);
  for (const Complex& c : coef)
    EXPECT_EQ(c, Complex(0, 0));
}

TEST(LinearPrediction, InvalidWindowsAreRefusedWithoutTouchingTheData) {
  const int n = 64;
  std::vector<float> d = Trace(kThreeLines, 2 * n, n);
  const std::vector<float> orig = d;
  EXPECT_EQ(PredictTrace(d, 2 * n, 1, 10, 0, 1, n, 2 * n - 1, 0), 0);  // no coefficients
  EXPECT_EQ(PredictTrace(d, 2 * n, 1, 3, 4, 1, n, 2 * n - 1, 0), 0);   // basis < coefficients
  EXPECT_EQ(PredictTrace(d, 2 * n, 1, 60, 8, 1, n, 2 * n - 1, 0), 0);  // window before the start
  EXPECT_EQ(PredictTrace(d, 2 * n, 1, 10, 4, 1, n, 2 * n, 0), 0);      // run beyond the end
  EXPECT_EQ(PredictTrace(d, 2 * n, 1, 10, 4, 1, -1, 5, -1), 0);        // run before the start
  EXPECT_EQ(PredictTrace(d, 2 * n, 1, 120, 8, 1, 0, 9, -1), 0);        // window beyond the end
  EXPECT_EQ(PredictTrace(d, 2 * n, 1, 10, 4, 1, n + 2, n, 0), 0);      // run reversed
  EXPECT_EQ(PredictTrace(d, 2 * n, 1, 10, 4, 9, n, 2 * n - 1, 0), 0);  // more than 8 traces
  EXPECT_EQ(PredictTrace(d, 2 * n, 1, 10, 4, 2, n, 2 * n - 1, 0), 0);  // traces overlap (stride 1)
  EXPECT_EQ(d, orig);
  // A work area smaller than the formula is refused too.
  CLinearPrediction lp;
  std::vector<char> small(lp_workspace(10, 4, 1) - 1);
  EXPECT_EQ(lp.Predict(d.data(), 2 * n, 1, 10, 4, 1, n, 2 * n - 1, 0, small.data(), small.size()), 0);
  // An empty run is accepted and changes nothing.
  EXPECT_EQ(PredictTrace(d, 2 * n, 1, 10, 4, 1, n, n - 1, 0), 1);
  EXPECT_EQ(d, orig);
}

TEST(LinearPrediction, DirectionIsTheSignOfA16BitValue) {
  const int n = 64;
  std::vector<float> d = Trace(kThreeLines, 2 * n, n);
  // 0x18000 is negative as a 16-bit value: backward, whose window after the
  // run does not fit, so the call is refused.
  EXPECT_EQ(PredictTrace(d, 2 * n, 1, 20, 4, 1, n, 2 * n - 1, 0x18000), 0);
  EXPECT_EQ(PredictTrace(d, 2 * n, 1, 20, 4, 1, n, 2 * n - 1, 0x10000), 1);
}

// Eight interleaved traces (stride 8), as the 2D program predicts columns:
// each trace is continued as if it were alone.
TEST(LinearPrediction, InterleavedTracesArePredictedIndependently) {
  const int traces = 8, stride = 8, n = 96, total = 160, m = 6, basis = 60;
  std::vector<std::vector<Line>> lines(traces);
  std::vector<float> data(2 * stride * total, 0.0f);
  for (int t = 0; t < traces; ++t) {
    lines[t] = {{1.0 + 0.1 * t, 0.003, 0.2 + 0.3 * t, 0.1 * t}, {0.4, 0.01, -0.9 + 0.05 * t, 0.0}};
    const std::vector<float> one = Trace(lines[t], total, n);
    for (int k = 0; k < total; ++k) {
      data[2 * (t + k * stride)] = one[2 * k];
      data[2 * (t + k * stride) + 1] = one[2 * k + 1];
    }
  }
  ASSERT_EQ(PredictTrace(data, total, stride, basis, m, traces, n, total - 1, 0), 1);
  for (int t = 0; t < traces; ++t) {
    std::vector<float> alone = Trace(lines[t], total, n);
    ASSERT_EQ(PredictTrace(alone, total, 1, basis, m, 1, n, total - 1, 0), 1);
    for (int k = n; k < total; ++k) {
      EXPECT_EQ(data[2 * (t + k * stride)], alone[2 * k]) << t << " " << k;
      EXPECT_EQ(data[2 * (t + k * stride) + 1], alone[2 * k + 1]);
    }
  }
}

// The 1D dialog's defaults on noisy data: M = td/32, basis n - M - 1,
// forward from n to 2n - 1; the result stays finite and close.
TEST(LinearPrediction, DefaultsOnNoisyDataStayFinite) {
  const int n = 512, m = 2 * n / 32, basis = n - m - 1;
  std::vector<float> d = Trace(kThreeLines, 2 * n, n);
  std::mt19937 gen(1);
  std::normal_distribution<float> noise(0.0f, 1e-3f);
  for (int i = 0; i < 2 * n; ++i)
    d[i] += noise(gen);
  ASSERT_EQ(PredictTrace(d, 2 * n, 1, basis, m, 1, n, 2 * n - 1, 0), 1);
  for (int k = n; k < 2 * n; ++k) {
    ASSERT_TRUE(std::isfinite(d[2 * k]) && std::isfinite(d[2 * k + 1]));
    EXPECT_LT(std::abs(Complex(d[2 * k], d[2 * k + 1]) - SumOfLines(kThreeLines, k)), 0.05) << k;
  }
}

}  // namespace
