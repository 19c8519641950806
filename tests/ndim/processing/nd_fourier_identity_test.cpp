// The 2D transform gives the former transform's floats bit for bit: every
// shape of block, count and columns the kernels take apart (rows, the
// columns in runs of 16 and 4 and the rest, counts below and above the
// AVX2 road's 16), both directions, on every vector unit this processor
// has; and the real TopSpin 2D set transformed along both dimensions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ndim/data/Spectrum2D.h"
#include "ndim/import/NdBrukerReader.h"
#include "ndim/import/NdImportSupport.h"
#include "ndim/processing/NdFourier.h"
#include "numerics/VectorUnit.h"
#include "tests/ndim/processing/legacy_nd_fourier.h"

namespace {

std::vector<float> Signal(std::size_t floats, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  std::vector<float> v(floats);
  for (std::size_t i = 0; i < floats; ++i)
    v[i] = i % 13 == 0 ? (i % 2 ? -0.0f : 0.0f) : value(gen) * std::ldexp(1.0f, (int)(i % 40) - 20);
  return v;
}

::testing::AssertionResult SameAsFormer(std::vector<float> data, int inner, int n, int outer, int d) {
  std::vector<float> want = data;
  double trig[kNdTrigEntries];
  NdBuildTrigTable(trig);
  NdFft(data.data(), inner, n, outer, d, trig);
  legacy_nd_fft::Fft(want.data(), inner, n, outer, d, trig);
  if (std::memcmp(data.data(), want.data(), data.size() * sizeof(float)) == 0)
    return ::testing::AssertionSuccess();
  for (std::size_t i = 0;; ++i)
    if (std::memcmp(&data[i], &want[i], sizeof(float)) != 0)
      return ::testing::AssertionFailure() << "float " << i << ": " << data[i] << " for " << want[i];
}

TEST(NdFourierIdentity, EveryShapeAndDirectionMatchesTheFormerTransform) {
  const VectorUnit widest = WidestVectorUnit();
  for (int k = (int)VectorUnit::kScalar; k <= (int)widest; ++k) {
    LimitVectorUnit((VectorUnit)k);
    for (int d : {1, -1})
      for (int inner : {1, 3})
        for (int n : {2, 4, 8, 16, 32, 64, 512, 2048})
          for (int outer : {1, 2, 3, 4, 5, 8, 16, 17, 23, 36, 64}) {
            if ((long long)inner * n * outer > (1 << 18))
              continue;
            const std::vector<float> data = Signal(2 * (std::size_t)inner * n * outer, n * 31 + outer * 7 + inner + d);
            EXPECT_TRUE(SameAsFormer(data, inner, n, outer, d))
                << "unit " << k << ", " << inner << " x " << n << " x " << outer << ", direction " << d;
          }
  }
  LimitVectorUnit(widest);
}

// The real set as read (10 rows of 4096 complex points, zero filled to 16
// rows here): along f2 (rows), then along f1 (columns), both directions.
TEST(NdFourierIdentity, TheRealSetTransformsAsBefore) {
  CNdImportLog log(nullptr);
  std::unique_ptr<CSpectrum2D> set(
      ReadBruker((std::string(BRIVANE_REALDATA_DIR) + "/bruker-t1-2d/1/ser").c_str(), log));
  ASSERT_NE(nullptr, set);
  const int rows = set->m_dims[1].m_nPoints, points = set->m_dims[2].m_nPoints;
  ASSERT_TRUE(NdIsPowerOfTwo(points));
  std::vector<float> data(2 * (std::size_t)16 * points, 0.0f);
  std::memcpy(data.data(), set->m_pData, 2 * (std::size_t)rows * points * sizeof(float));
  for (int d : {1, -1}) {
    EXPECT_TRUE(SameAsFormer(data, 16, points, 1, d)) << "rows, direction " << d;
    std::vector<float> along = data;
    double trig[kNdTrigEntries];
    NdBuildTrigTable(trig);
    NdFft(along.data(), 16, points, 1, d, trig);
    EXPECT_TRUE(SameAsFormer(along, 1, 16, points, d)) << "columns, direction " << d;
  }
}

}  // namespace
