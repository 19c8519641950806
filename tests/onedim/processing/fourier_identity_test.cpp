// The transform gives, bit for bit, what it gave before its twiddle tables
// and vector kernels, on every size and in every mode and direction: the
// spectra users have stored and compared must not move by one ulp.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "onedim/processing/FastFourier.h"
#include "numerics/VectorUnit.h"
#include "onedim/processing/legacy_fourier.h"

namespace {

// Values over many decades, with zeros of both signs and subnormals, so
// that every rounding path of the butterflies is taken.
std::vector<float> Signal(int count, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> mantissa(-1.0f, 1.0f);
  std::uniform_int_distribution<int> exponent(-40, 40);
  std::uniform_int_distribution<int> special(0, 199);
  std::vector<float> v(count);
  for (float& f : v) {
    switch (special(gen)) {
      case 0: f = 0.0f; break;
      case 1: f = -0.0f; break;
      case 2: f = 1e-40f; break;
      default: f = std::ldexp(mantissa(gen), exponent(gen)); break;
    }
  }
  return v;
}

// Bit equality; NaN equals NaN whatever its payload (the vector units
// propagate payloads by operand order, which carries no meaning).
::testing::AssertionResult SameBits(const std::vector<float>& got, const std::vector<float>& want) {
  for (size_t i = 0; i < want.size(); ++i) {
    if (std::isnan(got[i]) && std::isnan(want[i]))
      continue;
    uint32_t a, b;
    std::memcpy(&a, &got[i], 4);
    std::memcpy(&b, &want[i], 4);
    if (a != b)
      return ::testing::AssertionFailure() << "float " << i << ": " << got[i] << " instead of " << want[i];
  }
  return ::testing::AssertionSuccess();
}

void CountStage(void* context) {
  ++*static_cast<int*>(context);
}

// One transform of n points (complex) or values (real) by the engine and by
// the former code; a progress report makes the engine run stage by stage.
::testing::AssertionResult MatchesFormer(bool bComplex, int n, int isign, bool bProgress) {
  const int nFloats = bComplex ? 2 * n : n;
  std::vector<float> got = Signal(nFloats, n * 3 + isign + 7 * bProgress + 13 * bComplex), want = got;
  CFastFourier fft;
  fft.SetData(got.data(), nFloats, bComplex ? 1 : 0, 0, isign == -1);
  int stages = 0;
  if (bProgress)
    fft.SetProgress(CountStage, &stages);
  if (bComplex) {
    fft.ComplexTransform(isign, n);
    legacy_fourier::ComplexTransform(want.data(), isign, n);
  } else {
    fft.RealTransform(isign, n);
    legacy_fourier::RealTransform(want.data(), isign, n);
  }
  const int wantStages = (int)std::log2(bComplex ? n : n / 2);
  if (bProgress && stages != wantStages)
    return ::testing::AssertionFailure() << stages << " progress reports instead of " << wantStages;
  return SameBits(got, want);
}

// Complex transforms of 1 to 2^20 points and real transforms of 4 to 2^22
// values (the largest of each beyond the twiddle tables), both signs, with
// and without a progress report, on every vector unit this processor has
// (the sizes past 2^16 on its widest only: they run the same loops).
TEST(FourierIdentity, EverySizeModeAndDirectionMatchesTheFormerTransform) {
  const VectorUnit widest = WidestVectorUnit();
  for (int k = (int)VectorUnit::kScalar; k <= (int)widest; ++k) {
    const VectorUnit unit = (VectorUnit)k;
    LimitVectorUnit(unit);
    for (int progress = 0; progress <= 1; ++progress) {
      for (int isign = 1; isign >= -1; isign -= 2) {
        const int largest = unit == widest && !progress ? 1 << 22 : 1 << 16;
        for (int n = 1; n <= largest; n *= 2) {
          if (n <= (1 << 20)) {
            EXPECT_TRUE(MatchesFormer(true, n, isign, progress))
                << "complex, " << n << " points, sign " << isign << ", unit " << k;
          }
          if (n >= 4) {
            EXPECT_TRUE(MatchesFormer(false, n, isign, progress))
                << "real, " << n << " values, sign " << isign << ", unit " << k;
          }
        }
      }
    }
  }
  LimitVectorUnit(widest);
  EXPECT_EQ(ActiveVectorUnit(), widest);
}

}  // namespace
