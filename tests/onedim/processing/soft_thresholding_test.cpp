// Iterated soft thresholding: a truncated FID is extended with the signal of
// its strong lines, whatever rotation, conjugation, phase and digital-filter
// delay its last transform used, and the data are left for the next
// transform; bad counts and thresholds change nothing.
#include "onedim/processing/SoftThresholding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <vector>

#include "onedim/processing/FastFourier.h"
#include "tests/onedim/model/spectrum_test_util.h"

namespace {

const double kPi = 3.14159265358979;

struct Acquisition {
  const char* name;
  BYTE bRotate, bConjugate;
  int nDecim, nDspfvs;  // a digital-filter delay when DECIM > 1
  double dPhase0;       // the receiver's phase, which the stored phase undoes
};

// Point k of an FID of three decaying lines on the grid of the extended
// spectrum, as acquired: conjugated when the transform conjugates, turned by
// the receiver's phase.
std::complex<double> Signal(int k, const Acquisition& acq) {
  const double f[] = {113 / 1024.0, -236 / 1024.0, 317 / 1024.0}, a[] = {1.0, 0.7, 0.5}, r[] = {0.004, 0.006, 0.005};
  std::complex<double> z;
  for (int i = 0; i < 3; i++)
    z += a[i] * std::exp(std::complex<double>(-r[i] * k, 2 * kPi * f[i] * k - acq.dPhase0));
  return acq.bConjugate ? std::conj(z) : z;
}

// The measured FID of t0 floats as the acquisition left it: with a filter
// delay of d points, d points of nothing come before the signal.
std::unique_ptr<CSpectrum> Measured(const Acquisition& acq, int t0, int nDelay) {
  auto s = MakeSpectrum(t0);
  for (int k = 0; k < t0 / 2; k++) {
    const std::complex<double> z = k < nDelay ? 0.0 : Signal(k - nDelay, acq);
    // Quadrature rotation: every second point negated before the transform.
    const double sign = acq.bRotate && k % 2 == 0 ? -1.0 : 1.0;
    s->m_pRawData[2 * k] = (float)(sign * z.real());
    s->m_pRawData[2 * k + 1] = (float)(sign * z.imag());
  }
  std::memcpy(s->m_pData, s->m_pRawData, sizeof(float) * t0);
  CSpectrumParams& b = s->m_paramsB;
  b.td = t0;
  b.aqmode = 1;
  b.bComplex = acq.bRotate;
  b.bConjugate = acq.bConjugate;
  b.DECIM = acq.nDecim;
  b.DSPFVS = acq.nDspfvs;
  s->m_dPhase0 = acq.dPhase0;
  return s;
}

// How well the extension follows the true continuation: the correlation of
// the complex values, 1 for a perfect match.
double Correlation(const CSpectrum& s, const Acquisition& acq, int t0, int nDelay) {
  std::complex<double> cross;
  double a2 = 0.0, b2 = 0.0;
  for (int k = t0 / 2; k < s.m_paramsA.td / 2; k++) {
    const double sign = acq.bRotate && k % 2 == 0 ? -1.0 : 1.0;
    const std::complex<double> got(s.m_pRawData[2 * k], s.m_pRawData[2 * k + 1]);
    const std::complex<double> truth = sign * Signal(k - nDelay, acq);
    cross += got * std::conj(truth);
    a2 += std::norm(got);
    b2 += std::norm(truth);
  }
  return a2 > 0.0 && b2 > 0.0 ? cross.real() / std::sqrt(a2 * b2) : 0.0;
}

// The extension follows the lines, and every way of acquiring the same FID
// gets the same extension: a reconstruction left rotated, conjugated, phased,
// shifted by the filter delay or scaled by the transform would differ (or
// overflow).
TEST(SoftThresholdingTest, ExtendsAnFidWithTheSignalOfItsLines) {
  const int t0 = 512, nZeroFill = 2048;
  const Acquisition cases[] = {
      {"plain", 0, 0, 0, 0, 0.0},
      {"rotated and conjugated", 1, 1, 0, 0, 0.0},
      {"phased", 0, 0, 0, 0, 1.3},
      {"phased and conjugated", 1, 1, 0, 0, -2.2},
      // DECIM 16 of DSPFVS 12: 71.6, so 71 points.
      {"filter delay", 0, 1, 16, 12, 0.0},
  };
  std::vector<double> correlations;
  for (const Acquisition& acq : cases) {
    const int nDelay = acq.nDecim > 1 ? 71 : 0;
    auto s = Measured(acq, t0, nDelay);
    const std::vector<float> measured(s->m_pRawData, s->m_pRawData + t0);
    const char* pszMessage = nullptr;
    ASSERT_TRUE(ExtendBySoftThresholding(*s, 30, nZeroFill, 50.0, FALSE, &pszMessage)) << acq.name << ": " << pszMessage;
    ASSERT_EQ(nZeroFill, s->m_paramsA.td) << acq.name;
    EXPECT_EQ(0, std::memcmp(measured.data(), s->m_pRawData, sizeof(float) * t0)) << acq.name;
    correlations.push_back(Correlation(*s, acq, t0, nDelay));
    EXPECT_GT(correlations.back(), 0.6) << acq.name;
    EXPECT_NEAR(correlations.front(), correlations.back(), nDelay > 0 ? 0.1 : 1e-4) << acq.name;
    for (int i = 0; i < nZeroFill; i++)
      ASSERT_TRUE(std::isfinite(s->m_pData[i]) && std::isfinite(s->m_pRawData[i])) << acq.name << " " << i;
    // The data transform, as a later transform of the spectrum takes them,
    // into the last thresholded spectrum: nothing below zero.
    CFastFourier fft;
    fft.SetData(s->m_pData, nZeroFill, 1, 0, 0);
    fft.m_bConjugate = 1;
    fft.Transform();
    float fLowest = 0.0f, fHighest = 0.0f;
    for (int i = 0; i < nZeroFill; i++) {
      fLowest = std::min(fLowest, s->m_pData[i]);
      fHighest = std::max(fHighest, s->m_pData[i]);
    }
    EXPECT_GT(fHighest, 50.0f) << acq.name;
    EXPECT_GT(fLowest, -1e-3f * fHighest) << acq.name;
  }
}

TEST(SoftThresholdingTest, NoPassOnlyZeroFillsAndAThresholdAboveAllLeavesNoExtension) {
  const Acquisition acq = {"plain", 0, 0, 0, 0, 0.0};
  auto s = Measured(acq, 256, 0);
  const std::vector<float> measured(s->m_pRawData, s->m_pRawData + 256);
  ASSERT_TRUE(ExtendBySoftThresholding(*s, 0, 1024, 2.0, FALSE));
  ASSERT_EQ(1024, s->m_paramsA.td);
  EXPECT_EQ(0, std::memcmp(measured.data(), s->m_pData, sizeof(float) * 256));
  for (int i = 256; i < 1024; i++)
    ASSERT_EQ(0.0f, s->m_pData[i]) << i;

  s = Measured(acq, 256, 0);
  ASSERT_TRUE(ExtendBySoftThresholding(*s, 3, 1024, 1.0e9, TRUE));
  for (int i = 256; i < 1024; i++)
    ASSERT_EQ(0.0f, s->m_pRawData[i]) << i;
}

TEST(SoftThresholdingTest, RefusesCountsAndThresholdsItCannotUse) {
  const Acquisition acq = {"plain", 0, 0, 0, 0, 0.0};
  const struct {
    int nZeroFill;
    double dThreshold;
  } cases[] = {{256, NAN}, {128, 1.0}, {0, 1.0}, {-1024, 1.0}, {1000, 1.0}, {1026, 1.0}, {1024, INFINITY}};
  for (const auto& c : cases) {
    auto s = Measured(acq, 256, 0);
    const std::vector<float> data(s->m_pData, s->m_pData + 256), raw(s->m_pRawData, s->m_pRawData + 256);
    const char* pszMessage = nullptr;
    EXPECT_FALSE(ExtendBySoftThresholding(*s, 5, c.nZeroFill, c.dThreshold, FALSE, &pszMessage)) << c.nZeroFill;
    EXPECT_NE(nullptr, pszMessage) << c.nZeroFill;
    ASSERT_EQ(256, s->m_paramsA.td) << c.nZeroFill;
    EXPECT_EQ(0, std::memcmp(data.data(), s->m_pData, sizeof(float) * 256)) << c.nZeroFill;
    EXPECT_EQ(0, std::memcmp(raw.data(), s->m_pRawData, sizeof(float) * 256)) << c.nZeroFill;
  }
}

}  // namespace
