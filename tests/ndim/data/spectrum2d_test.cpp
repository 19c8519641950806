// Operations of the 2D data set on its whole buffer.
#include <gtest/gtest.h>

#include <memory>

#include "tests/ndim/nd_test_support.h"

TEST(Spectrum2D, DimensionArithmetic) {
  CSpectrum2D fresh;
  EXPECT_EQ(fresh.GetTotalPoints(), 1);
  std::unique_ptr<CSpectrum2D> set(MakeSet(64, 128));
  EXPECT_EQ(set->GetTotalPoints(), 64 * 128);
  set->m_nCurrentDim = 1;
  EXPECT_EQ(set->GetInnerCount(), 1);
  EXPECT_EQ(set->GetOuterCount(), 128);
  set->SetCurrentDimension(0);
  EXPECT_EQ(set->m_nCurrentDim, 1);
}

TEST(Spectrum2D, ZeroFillAlongF1KeepsRowsAndAddsZeroRows) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(64, 16));
  FillRandom(*set);
  const std::vector<float> before = DataOf(*set);
  set->m_nCurrentDim = 1;
  EXPECT_TRUE(set->ZeroFill(64));
  EXPECT_EQ(DataOf(*set), before);
  ASSERT_TRUE(set->ZeroFill(128));
  const std::vector<float> after = DataOf(*set);
  ASSERT_EQ(after.size(), 2 * before.size());
  for (std::size_t i = 0; i < before.size(); ++i)
    ASSERT_EQ(after[i], before[i]);
  for (std::size_t i = before.size(); i < after.size(); ++i)
    ASSERT_EQ(after[i], 0.0f);
  EXPECT_EQ(set->m_zoom, CRect(0, 0, 16, 128));
}

TEST(Spectrum2D, ZeroFillAlongF2GrowsAndCutsEveryRow) {
  for (bool real : {false, true}) {
    std::unique_ptr<CSpectrum2D> set(MakeSet(3, 5, real));
    FillRandom(*set);
    const std::vector<float> before = DataOf(*set);
    const int u = set->FloatsPerPoint();
    ASSERT_TRUE(set->ZeroFill(8));
    for (int r = 0; r < 3; ++r)
      for (int k = 0; k < 8 * u; ++k)
        ASSERT_EQ(set->m_pData[r * 8 * u + k], k < 5 * u ? before[r * 5 * u + k] : 0.0f) << real;
    ASSERT_TRUE(set->ZeroFill(2));
    for (int r = 0; r < 3; ++r)
      for (int k = 0; k < 2 * u; ++k)
        ASSERT_EQ(set->m_pData[r * 2 * u + k], before[r * 5 * u + k]);
  }
}

TEST(Spectrum2D, ZeroFillRefusesBadSizesAndLeavesTheSetAlone) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(4, 4));
  FillRandom(*set);
  const std::vector<float> before = DataOf(*set);
  EXPECT_FALSE(set->ZeroFill(0));
  EXPECT_FALSE(set->ZeroFill(-5));
  EXPECT_FALSE(set->ZeroFill(0x7FFFFFFF));  // more than the buffer limit
  set->m_nCurrentDim = 0;
  EXPECT_FALSE(set->ZeroFill(8));
  EXPECT_EQ(set->m_dims[2].m_nPoints, 4);
  EXPECT_EQ(DataOf(*set), before);
}

TEST(Spectrum2D, QuadratureSplitMakesStatesPairsAndHypercomplexHalves) {
  // Rows 2j and 2j+1 hold the cosine and sine parts of one t1 increment.
  std::unique_ptr<CSpectrum2D> set(MakeSet(5, 2));
  for (int i = 0; i < 20; ++i)
    set->m_pData[i] = static_cast<float>(i);
  set->m_phasingOrder[0] = 2;
  set->m_nCurrentDim = 1;
  set->QuadratureSplit(true);  // the odd fifth row is dropped first
  EXPECT_EQ(set->m_dims[1].m_nPoints, 2);
  EXPECT_EQ(set->m_dims[0].m_nPoints, 2);
  const float expected[16] = {0, 4, 2, 6, 8, 12, 10, 14,   // (re 2j, re 2j+1)
                              1, 5, 3, 7, 9, 13, 11, 15};  // (im 2j, im 2j+1)
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(set->m_pData[i], expected[i]) << i;
  EXPECT_EQ(set->m_phasingOrder[0], 0);
  EXPECT_EQ(set->m_phasingOrder[1], 2);

  std::unique_ptr<CSpectrum2D> plain(MakeSet(4, 2));
  for (int i = 0; i < 16; ++i)
    plain->m_pData[i] = static_cast<float>(i);
  plain->m_nCurrentDim = 1;
  plain->QuadratureSplit(false);
  EXPECT_EQ(plain->m_dims[0].m_nPoints, 1);
  EXPECT_EQ(plain->GetTotalPoints(), 4);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(plain->m_pData[i], expected[i]);
}

TEST(Spectrum2D, QuadratureSplitNeedsAComplexSetAValidDimensionAndTwoPoints) {
  std::unique_ptr<CSpectrum2D> real(MakeSet(4, 4, true));
  real->m_nCurrentDim = 1;
  real->QuadratureSplit(true);
  EXPECT_EQ(real->m_dims[1].m_nPoints, 4);
  std::unique_ptr<CSpectrum2D> one(MakeSet(1, 4));
  one->m_nCurrentDim = 1;
  one->QuadratureSplit(true);
  EXPECT_EQ(one->m_dims[1].m_nPoints, 1);
  EXPECT_EQ(one->m_dims[0].m_nPoints, 1);
  one->m_nCurrentDim = -3;
  one->QuadratureSplit(false);
  EXPECT_EQ(one->GetTotalPoints(), 4);
}

TEST(Spectrum2D, SwapQuadratureExchangesHalves) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(2, 2));
  for (int i = 0; i < 8; ++i)
    set->m_pData[i] = static_cast<float>(i);
  set->m_phasingOrder[0] = 1;
  set->m_phasingOrder[1] = 2;
  set->SwapQuadrature(1, 4);  // already in byte 0: nothing
  EXPECT_EQ(set->m_pData[1], 1.0f);
  set->SwapQuadrature(2, 4);
  EXPECT_EQ(set->m_phasingOrder[0], 2);
  EXPECT_EQ(set->m_phasingOrder[1], 1);
  const float expected[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(set->m_pData[i], expected[i]) << i;
}

TEST(Spectrum2D, RealAndComplexForms) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(2, 2));
  for (int i = 0; i < 8; ++i)
    set->m_pData[i] = static_cast<float>(i + 1);
  set->m_phasingOrder[0] = 2;
  set->MakeReal();
  EXPECT_TRUE(set->m_bReal);
  EXPECT_EQ(set->m_phasingOrder[0], 2) << "the order stays for a set made complex again";
  const float reals[4] = {1, 3, 5, 7};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(set->m_pData[i], reals[i]);
  ASSERT_TRUE(set->MakeComplex());
  const float pairs[8] = {1, 0, 3, 0, 5, 0, 7, 0};
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(set->m_pData[i], pairs[i]);

  // A complex set with hypercomplex halves keeps the first on "mc" and on
  // "mr", and the phasing order no longer names the dimension of the halves
  // (a swap would find none).
  for (bool real : {false, true}) {
    std::unique_ptr<CSpectrum2D> hyper(MakeSet(2, 2));
    hyper->m_dims[0].m_nPoints = 2;
    ASSERT_TRUE(hyper->AllocateData());
    FillRandom(*hyper);
    const BYTE order[4] = {2, 1, 0, 0};
    std::memcpy(hyper->m_phasingOrder, order, 4);
    std::vector<float> first = DataOf(*hyper);
    first.resize(first.size() / 2);
    if (real) {
      hyper->MakeReal();
      EXPECT_EQ(hyper->m_dims[0].m_nPoints, 1);
      ASSERT_TRUE(hyper->MakeComplex());
      for (std::size_t i = 1; i < first.size(); i += 2)
        first[i] = 0.0f;
    } else {
      EXPECT_TRUE(hyper->MakeComplex());
    }
    EXPECT_EQ(hyper->m_dims[0].m_nPoints, 1) << real;
    EXPECT_EQ(DataOf(*hyper), first) << real;
    EXPECT_EQ(hyper->m_phasingOrder[0], 2) << real;
    EXPECT_EQ(hyper->m_phasingOrder[1], 0) << real;
  }
}

TEST(Spectrum2D, WeightsBelongToTheirDimensionAndCount) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(2, 4));
  for (int i = 0; i < 16; ++i)
    set->m_pData[i] = 1.0f;
  EXPECT_FALSE(set->MakeWeights(true, 0));
  EXPECT_FALSE(set->MakeWeights(true, -4));
  EXPECT_EQ(set->m_pWeights, nullptr);
  ASSERT_TRUE(set->MakeWeights(true, 4));
  set->m_nCurrentDim = 1;
  EXPECT_FALSE(set->HasWeights());
  set->ApplyWeights();  // made for f2: freed, nothing applied
  EXPECT_EQ(set->m_pWeights, nullptr);
  EXPECT_EQ(set->m_pData[0], 1.0f);

  set->m_nCurrentDim = 2;
  ASSERT_TRUE(set->MakeWeights(false, 2));
  ASSERT_TRUE(set->ZeroFill(8));
  set->ApplyWeights();
  EXPECT_EQ(set->m_pData[0], 1.0f);

  // Weights on a real set multiply its single values.
  std::unique_ptr<CSpectrum2D> real(MakeSet(2, 3, true));
  for (int i = 0; i < 6; ++i)
    real->m_pData[i] = 1.0f;
  ASSERT_TRUE(real->MakeWeights(true, 2));
  real->ApplyWeights();
  const float expected[6] = {0.5f, -0.5f, 0.5f, 0.5f, -0.5f, 0.5f};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(real->m_pData[i], expected[i]);
}

TEST(Spectrum2D, TransposeAndSymmetrize) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(2, 2, true));
  const float m[4] = {1, -2, 3, 4};
  std::copy(m, m + 4, set->m_pData);
  set->TransposeOrSymmetrize(true);
  EXPECT_EQ(set->m_pData[1], 3.0f);
  EXPECT_EQ(set->m_pData[2], -2.0f);
  set->TransposeOrSymmetrize(false);
  EXPECT_EQ(set->m_pData[1], -2.0f);
  EXPECT_EQ(set->m_pData[2], -2.0f);
  set->m_pData[1] = 6.0f;
  set->SymmetrizeAverage();
  EXPECT_EQ(set->m_pData[1], 2.0f);
  EXPECT_EQ(set->m_pData[2], 2.0f);

  std::unique_ptr<CSpectrum2D> wide(MakeSet(128, 256));
  FillRandom(*wide);
  const std::vector<float> before = DataOf(*wide);
  wide->TransposeOrSymmetrize(true);
  EXPECT_TRUE(wide->m_bReal);
  for (int i = 0; i < 128 * 256; ++i)
    ASSERT_EQ(wide->m_pData[i], before[2 * i]);
}

TEST(Spectrum2D, MinMaxAndProjections) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(2, 3));
  const float v[12] = {1, 100, -2, 100, 3, 100, 4, 100, 5, 100, -6, 100};
  std::copy(v, v + 12, set->m_pData);
  float lo, hi;
  set->GetMinMax(lo, hi);
  EXPECT_EQ(lo, -6.0f);
  EXPECT_EQ(hi, 5.0f);
  float f2[3], f1[2];
  CSpectrum2D::ProjectOntoF2(set->m_pData, f2, 3, 2, true);
  CSpectrum2D::ProjectOntoF1(set->m_pData, f1, 3, 2, true);
  EXPECT_EQ(f2[0], 5.0f);
  EXPECT_EQ(f2[1], 3.0f);
  EXPECT_EQ(f2[2], -3.0f);
  EXPECT_EQ(f1[0], 2.0f);
  EXPECT_EQ(f1[1], 3.0f);
}

TEST(Spectrum2D, DefaultPaletteRunsFromRedToBlue) {
  CSpectrum2D set;
  EXPECT_EQ(set.m_red[0], 255);
  EXPECT_EQ(set.m_red[255], 0);
  EXPECT_EQ(set.m_blue[0], 0);
  EXPECT_EQ(set.m_blue[255], 255);
  EXPECT_EQ(set.m_red[100], 155);
  EXPECT_EQ(set.m_blue[100], 100);
  EXPECT_EQ(set.m_green[128], 0);
}
