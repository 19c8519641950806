#include "onedim/processing/WindowFunctionStep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"
#include "onedim/processing/FastFourier.h"
#include "onedim/model/WindowFunction.h"

namespace {

std::unique_ptr<CSpectrum> MakeFid(int td) {
  CSpectrumParams params;
  params.td = td;
  params.sw = 2000.0;
  params.aqmode = 1;
  params.bComplex = 1;
  params.bConjugate = 1;
  params.DECIM = 2;
  params.DSPFVS = 10;  // delay 44.75 points
  auto s = std::make_unique<CSpectrum>(params);
  s->m_pData = CSpectrum::AllocateFloats(td);
  s->m_pRawData = CSpectrum::AllocateFloats(td);
  s->m_pWeighted = CSpectrum::AllocateFloats(td);
  for (int i = 0; i < td; ++i)
    s->m_pRawData[i] = s->m_pData[i] = std::cos(0.37f * i) + 0.01f * (i % 5);
  s->m_pWindow = new CWindowFunction(s->m_pRawData, s->m_pWeighted, &s->m_paramsA.td, &s->m_paramsA.sw);
  return s;
}

TEST(WindowFunctionStep, WeightedCopyBecomesTheData) {
  auto s = MakeFid(256);
  s->m_pWindow->m_nType = CWindowFunction::SineBell;
  s->m_pWindow->m_SineShift = 90.0f;
  ASSERT_TRUE(ApplyWindowToSpectrum(*s, FALSE, 0, 0));
  for (int i = 0; i < 256; ++i) {
    ASSERT_EQ(s->m_pData[i], s->m_pWeighted[i]);
    ASSERT_NEAR(s->m_pData[i], s->m_pRawData[i] * s->m_pWindow->GetWeights()[i], 1e-6);
  }
  EXPECT_EQ(s->m_bDataChanged, 1);
}

// After a transform the current block's DECIM is 0; the interactive preview
// still rotates by the acquired delay and transforms as recorded.
TEST(WindowFunctionStep, InteractiveTransformsAsTheLastTransformDid) {
  auto s = MakeFid(256);
  s->m_paramsA.DECIM = 0;
  s->m_Scale.m_nUnits = AXIS_UNITS_POINTS;
  ASSERT_TRUE(ApplyWindowToSpectrum(*s, TRUE, 0, 0));

  std::vector<float> want(s->m_pWeighted, s->m_pWeighted + 256);
  std::rotate(want.begin(), want.begin() + 2 * 44, want.end());
  CFastFourier fft;
  fft.SetData(want.data(), 256, 1, 1, 0);
  fft.m_bConjugate = 1;
  fft.HalveFirstPoint();
  fft.RemoveDrift();
  fft.Transform();
  for (int i = 0; i < 256; ++i)
    ASSERT_EQ(s->m_pData[i], want[i]) << i;
  EXPECT_EQ(s->m_paramsA.DECIM, 0);
  EXPECT_EQ(s->m_paramsA.DSPFVS, 10);
  EXPECT_EQ(s->m_Scale.m_nUnits, AXIS_UNITS_PPM);
}

TEST(WindowFunctionStep, PhaseIsAppliedAnewWhenItHadChanged) {
  auto plain = MakeFid(64);
  auto phased = MakeFid(64);
  phased->m_bPhaseChanged = 1;
  phased->m_dPhase0 = 1.0;  // applied before: reset, then the kept pair
  ASSERT_TRUE(ApplyWindowToSpectrum(*plain, TRUE, 0, 0));
  ASSERT_TRUE(ApplyWindowToSpectrum(*phased, TRUE, 3.14159265f, 0));
  for (int i = 0; i < 64; ++i)
    EXPECT_NEAR(phased->m_pData[i], -plain->m_pData[i], 1e-4);
  EXPECT_FLOAT_EQ(static_cast<float>(phased->m_dPhase0), 3.14159265f);
}

TEST(WindowFunctionStep, RefusalLeavesTheDataAlone) {
  auto s = MakeFid(32);
  s->m_paramsA.sw = 0.0;
  const std::vector<float> before(s->m_pData, s->m_pData + 32);
  const char* message = nullptr;
  EXPECT_FALSE(ApplyWindowToSpectrum(*s, TRUE, 0, 0, &message));
  EXPECT_STREQ(message, "Spectral width must be greater than 0");
  for (int i = 0; i < 32; ++i)
    EXPECT_EQ(s->m_pData[i], before[i]);
}

}  // namespace
