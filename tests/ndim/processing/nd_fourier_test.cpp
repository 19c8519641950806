// The 2D transform against a direct DFT in long double (kernel
// exp(+d 2 pi i jk / N), unscaled), along both dimensions.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>
#include <random>

#include "tests/ndim/nd_test_support.h"
#include "ndim/processing/NdFourier.h"
#include "ndim/processing/NdProcessing.h"
#include "numerics/Constants.h"

namespace {

typedef std::complex<long double> LComplex;

// Direct DFT of the input points zero-filled to n.
std::vector<LComplex> DirectDft(const std::vector<LComplex>& x, int n, int d) {
  std::vector<LComplex> w(n);
  for (int i = 0; i < n; ++i) {
    const long double a = d * 2 * kPiL * i / n;
    w[i] = LComplex(std::cos(a), std::sin(a));
  }
  std::vector<LComplex> out(n);
  for (int k = 0; k < n; ++k) {
    LComplex sum = 0;
    std::size_t index = 0;
    for (std::size_t j = 0; j < x.size(); ++j, index = (index + k) % n)
      sum += x[j] * w[index];
    out[k] = sum;
  }
  return out;
}

// Largest error over largest magnitude.
double RelativeError(const std::vector<LComplex>& ref, const float* got, std::size_t stride) {
  long double err = 0, mag = 0;
  for (std::size_t k = 0; k < ref.size(); ++k) {
    const LComplex g(got[2 * k * stride], got[2 * k * stride + 1]);
    err = std::max(err, std::abs(g - ref[k]));
    mag = std::max(mag, std::abs(ref[k]));
  }
  return static_cast<double>(err / (mag > 0 ? mag : 1));
}

int NextPow2(int n) {
  int p = 1;
  while (p < n)
    p *= 2;
  return p;
}

// Transforms a set of `rows` x `length` (along f2) or `length` x `columns`
// (along f1) and checks every trace against the direct DFT.
void CheckLength(int length, bool alongF1, int d) {
  const int others = 3;
  std::unique_ptr<CSpectrum2D> set(alongF1 ? MakeSet(length, others) : MakeSet(others, length));
  FillRandom(*set, length);
  const std::vector<float> input = DataOf(*set);
  set->m_nCurrentDim = alongF1 ? 1 : 2;
  ASSERT_TRUE(NdTransformStep(*set, d < 0, false));
  const int n = NextPow2(length);
  ASSERT_EQ(set->m_dims[alongF1 ? 1 : 2].m_nPoints, n);
  for (int t = 0; t < others; ++t) {
    std::vector<LComplex> x(length);
    for (int j = 0; j < length; ++j) {
      const std::size_t i =
          alongF1 ? static_cast<std::size_t>(j) * others + t : static_cast<std::size_t>(t) * length + j;
      x[j] = LComplex(input[2 * i], input[2 * i + 1]);
    }
    const std::vector<LComplex> ref = DirectDft(x, n, d);
    const float* got = alongF1 ? set->m_pData + 2 * t : set->m_pData + 2 * static_cast<std::size_t>(t) * n;
    EXPECT_LT(RelativeError(ref, got, alongF1 ? others : 1), 1e-5)
        << "length " << length << (alongF1 ? " along f1" : " along f2") << " direction " << d;
  }
}

// One bin of the direct DFT, its twiddle advanced by a long double recurrence.
LComplex DftBin(const std::vector<LComplex>& x, int n, int d, int k) {
  const long double a = d * 2 * kPiL * k / n;
  const LComplex step(std::cos(a), std::sin(a));
  LComplex w = 1, sum = 0;
  for (const LComplex& v : x) {
    sum += v * w;
    w *= step;
  }
  return sum;
}

}  // namespace

TEST(NdFourier, EveryLengthUpTo4096MatchesSampledBins) {
  std::mt19937 gen(5);
  for (int length = 131; length <= 4096; ++length) {
    const bool alongF1 = length % 2 == 1;
    const int d = length % 5 ? 1 : -1;
    std::unique_ptr<CSpectrum2D> set(alongF1 ? MakeSet(length, 2) : MakeSet(2, length));
    FillRandom(*set, length);
    const std::vector<float> input = DataOf(*set);
    set->m_nCurrentDim = alongF1 ? 1 : 2;
    ASSERT_TRUE(NdTransformStep(*set, d < 0, false));
    const int n = NextPow2(length);
    const int t = length % 3 == 0;  // which of the two traces
    std::vector<LComplex> x(length);
    long double energy = 0;
    for (int j = 0; j < length; ++j) {
      const std::size_t i = alongF1 ? 2 * static_cast<std::size_t>(j) + t : static_cast<std::size_t>(t) * length + j;
      x[j] = LComplex(input[2 * i], input[2 * i + 1]);
      energy += std::norm(x[j]);
    }
    const long double scale = std::sqrt(energy);
    for (int k : {0, 1, n / 2, n - 1, static_cast<int>(gen() % n), static_cast<int>(gen() % n)}) {
      const std::size_t i = alongF1 ? 2 * static_cast<std::size_t>(k) + t : static_cast<std::size_t>(t) * n + k;
      const LComplex got(set->m_pData[2 * i], set->m_pData[2 * i + 1]);
      ASSERT_LT(static_cast<double>(std::abs(got - DftBin(x, n, d, k)) / scale), 1e-5) << length << " bin " << k;
    }
  }
}

TEST(NdFourier, PowersOfTwoMatchDirectDftAlongBothDimensions) {
  for (int n = 2; n <= 4096; n *= 2) {
    CheckLength(n, false, 1);
    CheckLength(n, true, 1);
    CheckLength(n, false, -1);
  }
}

TEST(NdFourier, OtherLengthsAreZeroFilledToAPowerOfTwo) {
  for (int n = 2; n <= 130; ++n)
    CheckLength(n, n % 2 == 0, n % 3 ? 1 : -1);
  for (int n : {1000, 4095})
    CheckLength(n, n % 2 == 1, 1);
}

TEST(NdFourier, ForwardThenInverseGivesNTimesTheData) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(8, 256));
  FillRandom(*set);
  const std::vector<float> input = DataOf(*set);
  RecordingSink sink;
  CCommandInterpreter(&sink).Execute(*set, "ft\nf= 2\nft i");
  EXPECT_EQ(set->m_nCurrentDim, 3) << "an inverse moves the current dimension up";
  for (std::size_t i = 0; i < input.size(); ++i)
    ASSERT_NEAR(set->m_pData[i], 256 * input[i], 1e-3) << i;
}

TEST(NdFourier, RealSequenceSplitGivesTheSpectrumOfTheRealSequence) {
  const int n = 64;
  std::unique_ptr<CSpectrum2D> set(MakeSet(1, n));
  FillRandom(*set, 7);
  std::vector<LComplex> real(2 * n);
  for (int j = 0; j < 2 * n; ++j)
    real[j] = set->m_pData[j];
  ASSERT_TRUE(NdTransformStep(*set, false, true));
  const std::vector<LComplex> ref = DirectDft(real, 2 * n, 1);
  EXPECT_NEAR(set->m_pData[0], static_cast<double>(ref[0].real()), 1e-4);
  EXPECT_EQ(set->m_pData[1], 0.0f);
  for (int k = 1; k < n; ++k) {
    EXPECT_NEAR(set->m_pData[2 * k], static_cast<double>(ref[k].real()), 1e-4) << k;
    EXPECT_NEAR(set->m_pData[2 * k + 1], static_cast<double>(ref[k].imag()), 1e-4) << k;
  }
}

TEST(NdFourier, BookkeepingAfterTheTransform) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(4, 1000));
  FillRandom(*set);
  ASSERT_TRUE(NdTransformStep(*set, false, false));
  EXPECT_EQ(set->m_dims[2].m_nPoints, 1024);
  EXPECT_EQ(set->m_phasingOrder[0], 2);
  EXPECT_EQ(set->m_nCurrentDim, 1);
  ASSERT_TRUE(NdTransformStep(*set, false, false));
  EXPECT_EQ(set->m_phasingOrder[0], 1);
  EXPECT_EQ(set->m_nCurrentDim, 0);
  // Nothing is done along dimension 0 and the current dimension stays put.
  EXPECT_FALSE(NdTransformStep(*set, false, false));
  EXPECT_EQ(set->m_nCurrentDim, 0);
  set->m_nCurrentDim = 2;
  EXPECT_TRUE(NdTransformStep(*set, true, false));
  EXPECT_EQ(set->m_nCurrentDim, 3);  // an inverse along the last one moves past it
}

TEST(NdFourier, OnePointDimensionAndRealSetAreLeftAlone) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(4, 1));
  FillRandom(*set);
  const std::vector<float> before = DataOf(*set);
  EXPECT_TRUE(NdTransformStep(*set, false, false));
  EXPECT_EQ(DataOf(*set), before);
  std::unique_ptr<CSpectrum2D> real(MakeSet(4, 8, true));
  FillRandom(*real);
  EXPECT_FALSE(NdTransformStep(*real, false, false));
  EXPECT_EQ(real->m_nCurrentDim, 2);
}

TEST(NdFourier, FirstPointDelayIsRemovedByAFirstOrderPhase) {
  // A delayed impulse transforms to a linear phase ramp; with the delay set as
  // the first-point offset the ramp is removed.
  const int n = 64;
  std::unique_ptr<CSpectrum2D> set(MakeSet(1, n));
  set->m_pData[2 * 3] = 1.0f;
  set->m_dims[2].m_fFirstPoint = 3.0f;
  ASSERT_TRUE(NdTransformStep(*set, false, false));
  for (int k = 0; k < n; ++k) {
    EXPECT_NEAR(set->m_pData[2 * k], 1.0, 1e-5) << k;
    EXPECT_NEAR(set->m_pData[2 * k + 1], 0.0, 1e-5) << k;
  }
}

TEST(NdFourier, LongTransformsUseTheWholeTable) {
  // 2^19 points need more halved angles than the classic 16-entry table holds.
  const int n = 1 << 19;
  std::unique_ptr<CSpectrum2D> set(MakeSet(1, n));
  set->m_pData[2] = 1.0f;  // an impulse at point 1: X_k = exp(2 pi i k / n)
  ASSERT_TRUE(NdTransformStep(*set, false, false));
  for (int k : {1, 3, n / 3, n - 1}) {
    const double a = 2 * kPi * k / n;
    EXPECT_NEAR(set->m_pData[2 * k], std::cos(a), 1e-5) << k;
    EXPECT_NEAR(set->m_pData[2 * k + 1], std::sin(a), 1e-5) << k;
  }
}

TEST(NdFourier, TrigTableCoversEveryStage) {
  double table[kNdTrigEntries];
  NdBuildTrigTable(table);
  for (int i = 0; i < kNdTrigEntries; ++i)
    EXPECT_NEAR(table[i], std::cos(kPi / std::ldexp(1.0, i + 2)), 1e-15);
}
