#include "onedim/processing/LinearPredictionStep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>
#include <vector>

#include "onedim/model/Spectrum.h"
#include "onedim/model/WindowFunction.h"

namespace {

typedef std::complex<double> Complex;

Complex Signal(double k) {
  return std::exp(Complex(-0.004 * k, 0.31 * k)) + 0.5 * std::exp(Complex(-0.01 * k, -1.2 * k + 0.4));
}

// A spectrum of n points of Signal starting at point `start`.
std::unique_ptr<CSpectrum> MakeFid(int n, int start = 0) {
  CSpectrumParams params;
  params.td = 2 * n;
  params.sw = 4000.0;
  auto s = std::make_unique<CSpectrum>(params);
  s->m_pData = CSpectrum::AllocateFloats(2 * n);
  s->m_pRawData = CSpectrum::AllocateFloats(2 * n);
  s->m_pWeighted = CSpectrum::AllocateFloats(2 * n);
  for (int k = 0; k < n; ++k) {
    const Complex v = Signal(k + start);
    s->m_pData[2 * k] = s->m_pRawData[2 * k] = static_cast<float>(v.real());
    s->m_pData[2 * k + 1] = s->m_pRawData[2 * k + 1] = static_cast<float>(v.imag());
  }
  s->m_pWindow = new CWindowFunction(s->m_pRawData, s->m_pWeighted, &s->m_paramsA.td, &s->m_paramsA.sw);
  return s;
}

double RelativeError(const CSpectrum& s, int from, int to, int start) {
  double err = 0, ref = 0;
  for (int k = from; k < to; ++k) {
    const Complex want = Signal(k + start);
    err += std::norm(Complex(s.m_pData[2 * k], s.m_pData[2 * k + 1]) - want);
    ref += std::norm(want);
  }
  return std::sqrt(err / ref);
}

TEST(LinearPredictionStep, DefaultsDoubleTheFid) {
  auto s = MakeFid(256);
  CLinearPredictionSettings lp;
  InitLinearPredictionSettings(*s, lp);
  EXPECT_EQ(lp.nFirst, 256);
  EXPECT_EQ(lp.nLast, 511);
  EXPECT_EQ(lp.nCoefficients, 16);
  EXPECT_EQ(lp.nBasis, 256 - 16 - 1);
  ASSERT_TRUE(PredictSpectrum(*s, lp));
  EXPECT_EQ(s->m_paramsA.td, 1024);
  EXPECT_LT(RelativeError(*s, 256, 512, 0), 1e-4);
  for (int i = 0; i < 1024; ++i) {
    ASSERT_EQ(s->m_pRawData[i], s->m_pData[i]);
    ASSERT_EQ(s->m_pWeighted[i], s->m_pData[i]);
  }
  EXPECT_EQ(s->m_pWindow->m_pSource, s->m_pRawData);
  EXPECT_EQ(s->m_pWindow->m_pTarget, s->m_pWeighted);
}

TEST(LinearPredictionStep, CoefficientsAboveTwoHundredFiftySixBecomeThirtyTwo) {
  auto s = MakeFid(8192);
  CLinearPredictionSettings lp;
  InitLinearPredictionSettings(*s, lp);
  EXPECT_EQ(lp.nCoefficients, 32);
  EXPECT_EQ(lp.nBasis, 8192 - 33);
}

TEST(LinearPredictionStep, NegativeFirstPrependsPointsByBackwardPrediction) {
  const int n = 200;
  auto s = MakeFid(n, 10);  // the data start at point 10 of the signal
  CLinearPredictionSettings lp;
  InitLinearPredictionSettings(*s, lp);
  lp.nFirst = -10;
  lp.nLast = -1;
  ASSERT_TRUE(PredictSpectrum(*s, lp));
  EXPECT_EQ(s->m_paramsA.td, 2 * (n + 10));
  EXPECT_LT(RelativeError(*s, 0, 10, 0), 1e-4);
  EXPECT_LT(RelativeError(*s, 10, n + 10, 0), 1e-6);  // the data moved up unchanged
}

TEST(LinearPredictionStep, BasisIsTruncated) {
  auto s = MakeFid(128);
  CLinearPredictionSettings lp;
  InitLinearPredictionSettings(*s, lp);
  EXPECT_FALSE(TruncateLinearPredictionBasis(*s, lp));
  lp.nBasis = 500;
  EXPECT_TRUE(TruncateLinearPredictionBasis(*s, lp));
  EXPECT_EQ(lp.nBasis, 128 - lp.nCoefficients - 1);
}

TEST(LinearPredictionStep, WindowsOutsideTheDataAreRefusedWithoutChange) {
  auto s = MakeFid(64);
  const std::vector<float> before(s->m_pData, s->m_pData + 128);
  CLinearPredictionSettings bad[] = {
      {64, 127, 40, 0},   // no coefficients
      {64, 127, 2, 4},    // basis smaller than the coefficients
      {-10, 127, 20, 4},  // points before the start, run to the end: no window after it
      {64, 40, 20, 4},    // run reversed
      {70, 127, 70, 4},   // forward window would start before the data
  };
  for (const CLinearPredictionSettings& lp : bad) {
    const char* message = nullptr;
    EXPECT_FALSE(PredictSpectrum(*s, lp, &message));
    EXPECT_NE(message, nullptr);
    EXPECT_EQ(s->m_paramsA.td, 128);
    for (int i = 0; i < 128; ++i)
      ASSERT_EQ(s->m_pData[i], before[i]);
  }
}

}  // namespace
