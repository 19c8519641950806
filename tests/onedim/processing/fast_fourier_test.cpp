#include "onedim/processing/FastFourier.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "numerics/Constants.h"

namespace {

typedef std::complex<long double> LComplex;

// Direct DFT in long double, sign +1 or -1, unscaled.
std::vector<LComplex> DirectDft(const std::vector<float>& in, int n, int sign) {
  std::vector<long double> c(n), s(n);
  for (int m = 0; m < n; ++m) {
    c[m] = std::cos(2.0L * kPiL * m / n);
    s[m] = sign * std::sin(2.0L * kPiL * m / n);
  }
  std::vector<LComplex> out(n);
  for (int k = 0; k < n; ++k) {
    long double re = 0, im = 0;
    for (int j = 0; j < n; ++j) {
      const int m = static_cast<int>((static_cast<long long>(j) * k) % n);
      re += in[2 * j] * c[m] - in[2 * j + 1] * s[m];
      im += in[2 * j] * s[m] + in[2 * j + 1] * c[m];
    }
    out[k] = LComplex(re, im);
  }
  return out;
}

std::vector<float> RandomFloats(int count, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
  std::vector<float> v(count);
  for (float& f : v)
    f = dist(gen);
  return v;
}

double RelativeRms(const std::vector<float>& got, const std::vector<LComplex>& want) {
  long double err = 0, ref = 0;
  for (size_t k = 0; k < want.size(); ++k) {
    err += std::norm(LComplex(got[2 * k], got[2 * k + 1]) - want[k]);
    ref += std::norm(want[k]);
  }
  return static_cast<double>(std::sqrt(err / ref));
}

TEST(FastFourier, ComplexMatchesDirectDftForEveryPowerOfTwo) {
  for (int n = 2; n <= 4096; n *= 2) {
    std::vector<float> data = RandomFloats(2 * n, n);
    const std::vector<LComplex> forward = DirectDft(data, n, 1);
    const std::vector<LComplex> backward = DirectDft(data, n, -1);
    std::vector<float> f = data, b = data;
    CFastFourier fft;
    fft.SetData(f.data(), 2 * n, 1, 0, 0);
    fft.ComplexTransform(1, n);
    EXPECT_LT(RelativeRms(f, forward), 1e-6) << n;
    fft.SetData(b.data(), 2 * n, 1, 0, 0);
    fft.ComplexTransform(-1, n);
    EXPECT_LT(RelativeRms(b, backward), 1e-6) << n;
  }
}

// Forward real transform of n values: X[0] and X[n/2] (both real) packed in
// the first pair, then X[1] ... X[n/2 - 1].
TEST(FastFourier, RealTransformMatchesItsPacking) {
  for (int n = 4; n <= 4096; n *= 2) {
    std::vector<float> data = RandomFloats(n, 7 * n);
    std::vector<float> asComplex(2 * n);
    for (int j = 0; j < n; ++j)
      asComplex[2 * j] = data[j];
    const std::vector<LComplex> want = DirectDft(asComplex, n, 1);
    std::vector<LComplex> packed(n / 2);
    packed[0] = LComplex(want[0].real(), want[n / 2].real());
    for (int k = 1; k < n / 2; ++k)
      packed[k] = want[k];
    CFastFourier fft;
    fft.SetData(data.data(), n, 0, 0, 0);
    ASSERT_TRUE(fft.Transform());
    EXPECT_LT(RelativeRms(data, packed), 1e-6) << n;
  }
}

TEST(FastFourier, RealModeWithFourValuesOnlyCombinesTheFirstPair) {
  // x = (1, 2, 3, 4): X0 = 10, X2 = -2, X1 = -2 - 2i (sign +1: 1 + 2i - 3 - 4i).
  float d[4] = {1, 2, 3, 4};
  CFastFourier fft;
  fft.SetData(d, 4, 0, 0, 0);
  fft.Transform();
  EXPECT_FLOAT_EQ(d[0], 10.0f);
  EXPECT_FLOAT_EQ(d[1], -2.0f);
  EXPECT_FLOAT_EQ(d[2], -2.0f);
  EXPECT_FLOAT_EQ(d[3], -2.0f);
}

TEST(FastFourier, SinglePointGivesAFlatSpectrumAtHalfHeight) {
  float d[8] = {6, 4, 0, 0, 0, 0, 0, 0};
  CFastFourier fft;
  fft.SetData(d, 8, 1, 0, 0);
  fft.HalveFirstPoint();
  fft.Transform();
  for (int k = 0; k < 4; ++k) {
    EXPECT_FLOAT_EQ(d[2 * k], 3.0f);
    EXPECT_FLOAT_EQ(d[2 * k + 1], 2.0f);
  }
}

// The chain of rotation, conjugation and transform, undone by the inverse
// for either conjugate flag: N/2 times the input.
TEST(FastFourier, ForwardThenInverseReturnsHalfNTimesTheInput) {
  const int nFloats = 64;
  for (int conj = 0; conj <= 1; ++conj) {
    for (int rotate = 0; rotate <= 1; ++rotate) {
      std::vector<float> data = RandomFloats(nFloats, 11 + conj + 2 * rotate), orig = data;
      CFastFourier fwd;
      fwd.SetData(data.data(), nFloats, 1, rotate, 0);
      fwd.m_bConjugate = conj;
      fwd.Transform();
      CFastFourier inv;
      inv.SetData(data.data(), nFloats, 1, rotate, 1);
      inv.m_bConjugate = conj;
      inv.Transform();
      for (int i = 0; i < nFloats; ++i)
        ASSERT_NEAR(data[i], orig[i] * nFloats / 2, 1e-4) << conj << rotate << i;
    }
  }
}

// The textbook order (rotation and conjugation before the inverse transform
// too) does not return the input: it shifts it by half the points and
// changes signs. This is why the inverse runs the steps in reverse.
TEST(FastFourier, InverseWithForwardOrderDoesNotRestoreTheInput) {
  const int nFloats = 16, n = 8;
  for (int conj = 0; conj <= 1; ++conj) {
    std::vector<float> data = RandomFloats(nFloats, 5 + conj), orig = data;
    CFastFourier fft;
    fft.SetData(data.data(), nFloats, 1, 1, 0);
    fft.m_bConjugate = conj;
    fft.Transform();
    fft.Rotate();
    if (conj)
      fft.Conjugate();
    fft.ComplexTransform(-1, n);
    double diff = 0;
    for (int i = 0; i < nFloats; ++i)
      diff += std::fabs(data[i] - orig[i] * n);
    EXPECT_GT(diff, 1.0) << conj;
  }
}

TEST(FastFourier, DecayingExponentialGivesLorentzianAtItsBin) {
  const int n = 1024;
  const double sw = 1000.0;   // Hz, dwell 1/sw
  const double freq = 125.0;  // Hz -> bin 128
  const double r2 = 10.0;     // 1/s -> full width at half height r2/pi Hz
  std::vector<float> data(2 * n);
  for (int j = 0; j < n; ++j) {
    const double t = j / sw;
    data[2 * j] = static_cast<float>(std::exp(-r2 * t) * std::cos(2 * kPi * freq * t));
    data[2 * j + 1] = static_cast<float>(std::exp(-r2 * t) * std::sin(2 * kPi * freq * t));
  }
  CFastFourier fft;
  fft.SetData(data.data(), 2 * n, 1, 0, 1);  // sign -1 puts +freq at bin freq/sw*n
  fft.HalveFirstPoint();
  ASSERT_TRUE(fft.Transform());
  // The inverse flag also undoes the (unset) rotation: equivalent to sign -1.
  int peak = 0;
  for (int k = 1; k < n; ++k)
    if (data[2 * k] > data[2 * peak])
      peak = k;
  EXPECT_EQ(peak, 128);
  // Half height on the real (absorption) part, interpolated.
  const double half = data[2 * peak] / 2;
  auto crossing = [&](int dir) {
    int k = peak;
    while (data[2 * (k + dir)] > half)
      k += dir;
    const double a = data[2 * k], b = data[2 * (k + dir)];
    return k + dir * (a - half) / (a - b);
  };
  const double widthHz = (crossing(1) - crossing(-1)) * sw / n;
  EXPECT_NEAR(widthHz, r2 / kPi, 0.05 * r2 / kPi);
}

TEST(FastFourier, DriftCorrectionRemovesAConstant) {
  std::vector<float> d(64);
  for (int k = 0; k < 32; ++k) {
    d[2 * k] = 0.1f;
    d[2 * k + 1] = -2.5f + (k % 2 ? 1.0f : -1.0f);
  }
  CFastFourier fft;
  fft.SetData(d.data(), 64, 1, 0, 0);
  fft.RemoveDrift();
  for (int k = 0; k < 32; ++k) {
    EXPECT_EQ(d[2 * k], 0.0f);
    EXPECT_FLOAT_EQ(d[2 * k + 1], k % 2 ? 1.0f : -1.0f);
  }
}

// A decaying line over noise, with or without a receiver offset, acquired
// over 1024 points and zero-filled to 2048.
std::vector<float> ZeroFilledFid(float offsetRe, float offsetIm, unsigned seed) {
  std::mt19937 gen(seed);
  std::normal_distribution<float> noise(0.0f, 1.0f);
  std::vector<float> d(4096, 0.0f);
  for (int k = 0; k < 1024; ++k) {
    const double a = 1000.0 * std::exp(-k / 60.0), phase = 0.7 * k;
    d[2 * k] = (float)(a * std::cos(phase)) + noise(gen) + offsetRe;
    d[2 * k + 1] = (float)(a * std::sin(phase)) + noise(gen) + offsetIm;
  }
  return d;
}

// The offset is read from the acquired points' last eighth, where the line
// has died away, and taken off the acquired points only: the zero filling
// stays zero and the transform's zero frequency keeps its own value (the
// mean of all 2048 points would have cut it to 0). A tail of noise alone
// shows no offset: such a FID stays as it is.
TEST(FastFourier, DriftCorrectionTakesTheOffsetOfTheDecayedTailOffTheAcquiredPoints) {
  const std::vector<float> clean = ZeroFilledFid(0.0f, 0.0f, 5);
  std::vector<float> d = clean;
  CFastFourier fft;
  fft.SetData(d.data(), 4096, 1, 0, 0);
  fft.RemoveDrift(2048);
  EXPECT_EQ(d, clean);

  d = ZeroFilledFid(40.0f, -25.0f, 5);
  fft.SetData(d.data(), 4096, 1, 0, 0);
  fft.RemoveDrift(2048);
  for (int i = 0; i < 2048; ++i)
    ASSERT_NEAR(d[i], clean[i], 0.5f) << i;
  for (int i = 2048; i < 4096; ++i)
    ASSERT_EQ(d[i], 0.0f) << i;
  fft.Transform();
  std::vector<float> reference = clean;
  CFastFourier plain;
  plain.SetData(reference.data(), 4096, 1, 0, 0);
  plain.Transform();
  // The zero-frequency point and its neighbours as without the offset, to
  // within what the offset's estimate leaves (0.5 over 1024 points).
  for (int i : {0, 2, 4, 4092, 4094})
    EXPECT_NEAR(std::hypot(d[i], d[i + 1]), std::hypot(reference[i], reference[i + 1]), 512.0f) << i;
  EXPECT_GT(std::hypot(reference[0], reference[1]), 1000.0f) << "a point worth keeping";
}

TEST(FastFourier, RefusesSizesItCannotTransform) {
  std::vector<float> d(12, 1.0f);
  CFastFourier fft;
  for (int n : {0, 2, 6, 12}) {
    fft.SetData(d.data(), n, 1, 1, 0);
    EXPECT_FALSE(fft.Transform()) << n;
  }
  for (float v : d)
    EXPECT_EQ(v, 1.0f);
  fft.SetData(d.data(), 12, 1, 0, 0);
  fft.ComplexTransform(1, 3);  // not a power of two: nothing happens
  fft.ComplexTransform(1, 8);  // more than the array holds: nothing happens
  for (float v : d)
    EXPECT_EQ(v, 1.0f);
}

}  // namespace
