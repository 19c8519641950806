#include "onedim/processing/FourierTransformStep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>
#include <random>
#include <vector>

#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/WindowFunction.h"
#include "numerics/Constants.h"

namespace {

typedef std::complex<double> Complex;

// A spectrum of td floats holding `data` (or zeros), with its window
// function on its acquired and weighted buffers as the document sets it up.
std::unique_ptr<CSpectrum> MakeFid(int td, const std::vector<float>& data = {}, BYTE conjugate = 0, int decim = 0,
                                   int dspfvs = 0) {
  CSpectrumParams params;
  params.td = td;
  params.sw = 5000.0;
  params.sf = 400.0;
  params.aqmode = 1;
  params.bComplex = 1;
  params.bConjugate = conjugate;
  params.DECIM = decim;
  params.DSPFVS = dspfvs;
  auto s = std::make_unique<CSpectrum>(params);
  s->m_pData = CSpectrum::AllocateFloats(td);
  s->m_pRawData = CSpectrum::AllocateFloats(td);
  s->m_pWeighted = CSpectrum::AllocateFloats(td);
  for (int i = 0; i < td && i < static_cast<int>(data.size()); ++i)
    s->m_pData[i] = s->m_pRawData[i] = data[i];
  s->m_pWindow = new CWindowFunction(s->m_pRawData, s->m_pWeighted, &s->m_paramsA.td, &s->m_paramsA.sw);
  return s;
}

// An FID whose first point is 0 and whose spectrum (after the forward
// chain with rotation) has 0 at its first point, so that neither first-point halving
// changes anything and a round trip must return exactly N/2 times it.
std::vector<float> FidUntouchedByHalving(int n, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> dist(-1.0, 1.0);
  std::vector<Complex> bins(n);
  Complex sum(0, 0);
  // x[0] is the sum of bins over n, and the rotated transform's first point
  // is bins[n/2] (alternate signs select it): both must be 0.
  for (int k = 2; k < n; ++k) {
    if (k == n / 2)
      continue;
    bins[k] = Complex(dist(gen), dist(gen));
    sum += bins[k];
  }
  bins[1] = -sum;
  std::vector<float> fid(2 * n);
  for (int j = 0; j < n; ++j) {
    Complex x(0, 0);
    for (int k = 0; k < n; ++k)
      x += bins[k] * std::polar(1.0, -2 * kPi * j * k / n);
    fid[2 * j] = static_cast<float>(x.real() / n);
    fid[2 * j + 1] = static_cast<float>(x.imag() / n);
  }
  fid[0] = fid[1] = 0.0f;
  return fid;
}

TEST(FourierTransformStep, InitialValuesComeFromTheSpectrum) {
  auto s = MakeFid(1024, {}, 0, 1, 10);
  CFourierTransformOptions o;
  InitFourierTransformOptions(*s, o);
  EXPECT_EQ(o.nPoints, 1024);
  EXPECT_EQ(o.nMaxRotation, 1024);
  EXPECT_TRUE(o.bQuadrature);
  EXPECT_FALSE(o.bReal);
  EXPECT_FALSE(o.bInverse);
  EXPECT_FALSE(o.bRotateData);  // DECIM 1: no digital filter
  EXPECT_EQ(o.nRotationPoints, 0);

  auto f = MakeFid(1024, {}, 0, 2, 10);
  f->m_paramsA.aqmode = 0;
  InitFourierTransformOptions(*f, o);
  EXPECT_TRUE(o.bRotateData);
  EXPECT_EQ(o.nRotationPoints, 44);  // 44.75 truncated
  EXPECT_TRUE(o.bReal);
}

// Firmware the delay table does not know: the dialog and the transform as
// recorded (window functions, soft thresholding) rotate by the integer part
// of GRPDLY, here an FID whose only point sits 76 points late.
TEST(FourierTransformStep, GroupDelayOfNewerFirmwareRotatesLikeTheTables) {
  std::vector<float> fid(1024, 0.0f);
  fid[2 * 76] = 8.0f;
  auto s = MakeFid(1024, fid, 0, 725, 21);
  s->m_paramsA.GRPDLY = s->m_paramsB.GRPDLY = 76.9;
  CFourierTransformOptions o;
  InitFourierTransformOptions(*s, o);
  EXPECT_TRUE(o.bRotateData);
  EXPECT_EQ(o.nRotationPoints, 76);

  s->m_paramsA.DECIM = 0;  // as after a transform: the recorded block counts
  EXPECT_EQ(TransformAsRecorded(*s), 76);
  // The point first and halved: a flat spectrum of -4 + 0i (the quadrature
  // rotation negates that first point), the zero frequency in the middle
  // too: the drift correction finds no offset in the FID's empty tail.
  for (int i = 0; i < 1024; i += 2) {
    ASSERT_NEAR(s->m_pData[i], -4.0f, 1e-4) << i;
    ASSERT_NEAR(s->m_pData[i + 1], 0.0f, 1e-4) << i;
  }
}

TEST(FourierTransformStep, ResizesToTheChosenSizeThenToAPowerOfTwo) {
  auto s = MakeFid(3000);
  CFourierTransformOptions o;
  InitFourierTransformOptions(*s, o);
  ASSERT_TRUE(PrepareSpectrumForTransform(*s, o));
  EXPECT_EQ(s->m_paramsA.td, 2048);
  EXPECT_EQ(s->m_pWindow->m_pSource, s->m_pRawData);
  EXPECT_EQ(s->m_pWindow->m_pTarget, s->m_pWeighted);

  o.nPoints = 10000;
  ASSERT_TRUE(PrepareSpectrumForTransform(*s, o));
  EXPECT_EQ(s->m_paramsA.td, 8192);

  o.nPoints = 10001;  // odd: still whole points
  ASSERT_TRUE(PrepareSpectrumForTransform(*s, o));
  EXPECT_EQ(s->m_paramsA.td, 8192);
}

TEST(FourierTransformStep, SizeBelowFourIsRefused) {
  std::vector<float> d = {1, 2, 3, 4, 5, 6, 7, 8};
  auto s = MakeFid(8, d);
  CFourierTransformOptions o;
  InitFourierTransformOptions(*s, o);
  o.bRotateData = TRUE;
  o.nRotationPoints = 1;
  for (int points : {0, 2, 3, -8}) {
    o.nPoints = points;
    const char* message = nullptr;
    EXPECT_FALSE(PrepareSpectrumForTransform(*s, o, &message));
    EXPECT_STREQ(message, "Number of points must be at least 4");
    EXPECT_EQ(s->m_paramsA.td, 8);
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(s->m_pData[i], d[i]);  // not rotated either
  }
}

TEST(FourierTransformStep, ForwardKeepsTheBooks) {
  for (int bruker = 0; bruker <= 1; ++bruker) {
    auto s = MakeFid(64, std::vector<float>(64, 1.0f), 0, 4, 11);
    s->m_Scale.m_nUnits = AXIS_UNITS_POINTS;
    CFourierTransformOptions o;
    InitFourierTransformOptions(*s, o);
    o.bBrukerImport = bruker;
    o.bRotateData = FALSE;
    ASSERT_TRUE(TransformSpectrum(*s, o));
    EXPECT_EQ(s->m_bTransformed, 1);
    EXPECT_EQ(s->m_paramsA.aqmode, 1);
    EXPECT_EQ(s->m_paramsA.bComplex, 0);
    EXPECT_EQ(s->m_paramsA.DECIM, 0);
    EXPECT_EQ(s->m_paramsA.bConjugate, bruker ? 0 : 1);
    EXPECT_EQ(s->m_paramsB.bComplex, 1);
    EXPECT_EQ(s->m_paramsB.aqmode, 1);
    EXPECT_EQ(s->m_paramsB.DECIM, 4);
    EXPECT_EQ(s->m_bDataChanged, 1);
    EXPECT_EQ(s->m_Scale.m_nUnits, AXIS_UNITS_PPM);
  }
}

// After the default inverse the FID's first block says again what the data
// are: the next dialog offers the mode and the quadrature rotation of the
// first forward transform.
TEST(FourierTransformStep, TheDefaultInverseGivesTheFidItsFlagsBack) {
  for (int aqmode = 0; aqmode <= 1; ++aqmode) {
    for (int quadrature = 0; quadrature <= 1; ++quadrature) {
      auto s = MakeFid(64, std::vector<float>(64, 1.0f), 1, 4, 11);
      s->m_paramsA.aqmode = aqmode;
      s->m_paramsA.bComplex = static_cast<BYTE>(quadrature);
      CFourierTransformOptions first;
      InitFourierTransformOptions(*s, first);
      first.bRotateData = FALSE;
      ASSERT_TRUE(TransformSpectrum(*s, first));
      CFourierTransformOptions inv;
      InitFourierTransformOptions(*s, inv);
      ASSERT_TRUE(TransformSpectrum(*s, inv));
      EXPECT_EQ(s->m_paramsA.aqmode, aqmode);
      EXPECT_EQ(s->m_paramsA.bComplex, quadrature);
      EXPECT_EQ(s->m_paramsA.bConjugate, 1);
      EXPECT_EQ(s->m_paramsA.DECIM, 0) << "the delay stays rotated";
      CFourierTransformOptions again;
      InitFourierTransformOptions(*s, again);
      EXPECT_FALSE(again.bInverse);
      EXPECT_EQ(again.bReal, first.bReal) << aqmode << quadrature;
      EXPECT_EQ(again.bQuadrature, first.bQuadrature) << aqmode << quadrature;
      EXPECT_FALSE(again.bRotateData);
    }
  }
}

// The command's default inverse undoes the forward transform for either
// conjugate flag and either import type, and a second forward transform
// gives the first spectrum again.
TEST(FourierTransformStep, DefaultInverseUndoesTheForwardTransform) {
  const int n = 64;
  for (int conj = 0; conj <= 1; ++conj) {
    for (int bruker = 0; bruker <= 1; ++bruker) {
      const std::vector<float> fid = FidUntouchedByHalving(n, 3 + conj + 2 * bruker);
      auto s = MakeFid(2 * n, fid, static_cast<BYTE>(conj));
      CFourierTransformOptions o;
      InitFourierTransformOptions(*s, o);
      o.bDriftCorrection = FALSE;
      o.bBrukerImport = bruker;
      ASSERT_TRUE(TransformSpectrum(*s, o));
      const std::vector<float> spectrum(s->m_pData, s->m_pData + 2 * n);

      CFourierTransformOptions inv;
      InitFourierTransformOptions(*s, inv);
      ASSERT_TRUE(inv.bInverse);
      inv.bDriftCorrection = FALSE;
      inv.bBrukerImport = bruker;
      ASSERT_TRUE(TransformSpectrum(*s, inv));
      EXPECT_EQ(s->m_bTransformed, 0);
      for (int i = 0; i < 2 * n; ++i)
        ASSERT_NEAR(s->m_pData[i], fid[i] * n, 1e-4) << conj << bruker << " " << i;

      for (int i = 0; i < 2 * n; ++i)
        s->m_pData[i] /= n;
      // The dialog offers the first forward transform's choices again.
      CFourierTransformOptions again;
      InitFourierTransformOptions(*s, again);
      EXPECT_FALSE(again.bInverse);
      EXPECT_EQ(again.bQuadrature, o.bQuadrature);
      EXPECT_EQ(again.bReal, o.bReal);
      again.bDriftCorrection = FALSE;
      again.bBrukerImport = bruker;
      ASSERT_TRUE(TransformSpectrum(*s, again));
      for (int i = 0; i < 2 * n; ++i)
        ASSERT_NEAR(s->m_pData[i], spectrum[i], 1e-4) << i;
    }
  }
}

TEST(FourierTransformStep, RefusesSizesThatAreNotPowersOfTwo) {
  std::vector<float> d = {1, 2, 3, 4, 5, 6};
  auto s = MakeFid(6, d);
  CFourierTransformOptions o;
  InitFourierTransformOptions(*s, o);
  const char* message = nullptr;
  EXPECT_FALSE(TransformSpectrum(*s, o, nullptr, nullptr, &message));
  EXPECT_NE(message, nullptr);
  EXPECT_EQ(s->m_bTransformed, 0);
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(s->m_pData[i], d[i]);
}

struct Reentry {
  CSpectrum* other;
  int calls = 0;
  int refused = 0;
  bool running = true;
};

// A redraw between stages that tried to start another transform is refused.
TEST(FourierTransformStep, ASecondTransformCannotStartDuringTheFirst) {
  auto s = MakeFid(256, std::vector<float>(256, 1.0f));
  auto other = MakeFid(256, std::vector<float>(256, 1.0f));
  Reentry r;
  r.other = other.get();
  CFourierTransformOptions o;
  InitFourierTransformOptions(*s, o);
  EXPECT_FALSE(IsTransformRunning());
  ASSERT_TRUE(TransformSpectrum(
      *s, o,
      [](void* c) {
        Reentry* r = static_cast<Reentry*>(c);
        ++r->calls;
        r->running = r->running && IsTransformRunning();
        CFourierTransformOptions o2;
        InitFourierTransformOptions(*r->other, o2);
        if (!TransformSpectrum(*r->other, o2))
          ++r->refused;
      },
      &r));
  EXPECT_EQ(r.calls, 7);  // 128 points: 7 stages
  EXPECT_EQ(r.refused, 7);
  EXPECT_TRUE(r.running);
  EXPECT_FALSE(IsTransformRunning());
  EXPECT_EQ(other->m_bTransformed, 0);
  EXPECT_EQ(other->m_pData[5], 1.0f);
}

}  // namespace
