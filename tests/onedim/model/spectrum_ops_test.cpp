// Signal operations of the spectrum: phase, offset, noise, shifts, line
// synthesis, polar form, baseline points, signal-to-noise, peak walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "onedim/model/PeakPicking.h"
#include "numerics/Constants.h"
#include "onedim/processing/PolarConversion.h"
#include "tests/onedim/model/spectrum_test_util.h"

namespace {

float Wave(int i) {
  return (float)std::sin(0.37 * i) * 100.0f + (float)(i % 5);
}

std::vector<float> DataOf(const CSpectrum& s) {
  return std::vector<float>(s.m_pData, s.m_pData + s.m_paramsA.td);
}

// The first-order rotation written out from its definition, in double.
std::vector<float> Rotated(const std::vector<float>& in, double a0, double a1, int nPivot) {
  std::vector<float> out(in);
  const int n = (int)in.size() / 2;
  for (int k = 0; k < n; k++) {
    const double angle = a0 + (k - nPivot / 2) * a1 / n;
    const double re = in[2 * k], im = in[2 * k + 1];
    out[2 * k] = (float)(re * std::cos(angle) - im * std::sin(angle));
    out[2 * k + 1] = (float)(im * std::cos(angle) + re * std::sin(angle));
  }
  return out;
}

void ExpectNear(const std::vector<float>& a, const std::vector<float>& b, float tol) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); i++)
    ASSERT_NEAR(a[i], b[i], tol) << "at " << i;
}

TEST(SpectrumPhase, ConstantPhaseBranches) {
  auto s = MakeSpectrum(64, Wave);
  const std::vector<float> original = DataOf(*s);
  s->SetPhase(0.0f, 0.0f);
  EXPECT_EQ(original, DataOf(*s));

  s->SetPhase((float)kPi, 0.0f);
  for (int i = 0; i < 64; i++)
    ASSERT_EQ(-original[i], s->m_pData[i]);
  EXPECT_FLOAT_EQ((float)kPi, (float)s->m_dPhase0);
  EXPECT_EQ(1, s->m_bPhaseChanged);

  // A first-order increment of 0.0001 or less counts as none.
  auto t = MakeSpectrum(64, Wave);
  t->RotatePhase(t->m_pData, 0.0f, 0.00005f, 1, 1, 32);
  EXPECT_EQ(original, DataOf(*t));
  t->RotatePhase(t->m_pData, (float)(kPi / 2), 0.0001f, 1, 1, 32);
  for (int k = 0; k < 32; k++) {
    ASSERT_NEAR(-original[2 * k + 1], t->m_pData[2 * k], 1e-4);
    ASSERT_NEAR(original[2 * k], t->m_pData[2 * k + 1], 1e-4);
  }
}

TEST(SpectrumPhase, FirstOrderTurnsAboutThePivot) {
  auto s = MakeSpectrum(128, Wave);
  s->m_nPivot = 40;
  const std::vector<float> original = DataOf(*s);
  s->SetPhase(0.3f, 2.0f);
  ExpectNear(Rotated(original, 0.3f, 2.0f, 40), DataOf(*s), 2e-4f);
  // The point at the pivot turns by the zero-order phase only.
  EXPECT_NEAR(original[40] * std::cos(0.3) - original[41] * std::sin(0.3), s->m_pData[40], 1e-4);

  // Phases are absolute: setting new ones turns by the difference.
  s->SetPhase(-0.5f, 1.0f);
  ExpectNear(Rotated(original, -0.5f, 1.0f, 40), DataOf(*s), 5e-4f);
}

TEST(SpectrumPhase, StrideAndBlocks) {
  // Two blocks of 3 points at stride 2: the first-order branch turns every
  // second value by 0, 1, 2 radians, and again in the second block.
  std::vector<float> buffer(24, 1.0f);
  CSpectrum s;
  s.RotatePhase(buffer.data(), 0.0f, 3.0f, 2, 2, 3);
  for (int v = 0; v < 12; v++) {
    const double angle = (v % 6) / 2;
    const float re = v % 2 ? 1.0f : (float)(std::cos(angle) - std::sin(angle));
    ASSERT_NEAR(re, buffer[2 * v], 1e-6) << v;
  }
}

TEST(SpectrumPhase, PhaseCorrectReappliesTheStoredRadians) {
  auto s = MakeSpectrum(64, Wave);
  s->m_pData[1] = s->m_pData[3];  // PhaseCorrect copies point 1's imaginary part to point 0
  s->m_nPivot = 10;
  const std::vector<float> fresh = DataOf(*s);
  s->SetPhase(0.7f, 1.5f);
  const std::vector<float> phased = DataOf(*s);

  // Freshly transformed data again, with the phases kept in the spectrum.
  for (int i = 0; i < 64; i++)
    s->m_pData[i] = fresh[i];
  EXPECT_TRUE(s->PhaseCorrect(TRUE));
  ExpectNear(phased, DataOf(*s), 1e-4f);

  for (int i = 0; i < 64; i++)
    s->m_pData[i] = fresh[i];
  EXPECT_TRUE(s->PhaseCorrect(FALSE));
  for (int k = 0; k < 32; k++) {
    ASSERT_NEAR(phased[2 * k], s->m_pData[2 * k], 1e-4);
    ASSERT_EQ(fresh[2 * k + 1], s->m_pData[2 * k + 1]);
  }
}

TEST(SpectrumSignal, RemoveDCOffset) {
  // A straight line through both ends disappears from both parts.
  auto s = MakeSpectrum(64, [](int i) { return 3.0f + (float)(i / 2) * 0.5f; });
  s->RemoveDCOffset();
  // m1 = 3 + 3.5 * 0.5 / 1, m2 = 3 + 27.5 * 0.5; the line between them at 2k/td.
  const double m1 = 3.0 + 3.5 * 0.5, m2 = 3.0 + 27.5 * 0.5;
  for (int k = 0; k < 32; k++) {
    const double b = m1 + (m2 - m1) * 2.0 * k / 64.0;
    const double v = 3.0 + k * 0.5;
    ASSERT_NEAR(v - b, s->m_pData[2 * k], 1e-5);
    ASSERT_NEAR(v - b, s->m_pData[2 * k + 1], 1e-5);
  }
  auto flat = MakeSpectrum(16, [](int) { return 7.0f; });
  flat->RemoveDCOffset();
  for (int i = 0; i < 16; i++)
    EXPECT_EQ(0.0f, flat->m_pData[i]);
}

TEST(SpectrumSignal, FillWithNoise) {
  auto s = MakeSpectrum(200, [](int i) { return i % 2 ? -1.0f : 10.0f; });
  s->m_bDataChanged = 0;
  s->FillWithNoise(0, 20);  // the value before the region is needed
  EXPECT_EQ(10.0f, s->m_pData[0]);
  EXPECT_EQ(0, s->m_bDataChanged);

  // s = 50 * 100, a = sqrt(50) -> 7: values from 10 to 10 + 20.
  s->FillWithNoise(20, 400);
  EXPECT_EQ(1, s->m_bDataChanged);
  for (int i = 20; i < 200; i += 2) {
    ASSERT_GE(s->m_pData[i], 10.0f);
    ASSERT_LE(s->m_pData[i], 30.0f);
    ASSERT_EQ(s->m_pData[i], std::floor(s->m_pData[i]));
    ASSERT_EQ(-1.0f, s->m_pData[i + 1]);
  }
  // Silent data: a is 0 and the region takes the level before it.
  auto z = MakeSpectrum(8);
  z->m_pData[2] = 4.0f;
  z->FillWithNoise(4, 8);
  EXPECT_EQ(4.0f, z->m_pData[4]);
  EXPECT_EQ(4.0f, z->m_pData[6]);
}

TEST(SpectrumSignal, ShiftPoints) {
  // 8 points (1, 2), (3, 4), ...; shifts by whole points, zero behind.
  auto s = MakeSpectrum(16);
  std::vector<float> src(16);
  for (int i = 0; i < 16; i++)
    src[i] = (float)(i + 1);
  s->ShiftPoints(src.data(), 3);
  EXPECT_EQ(std::vector<float>({7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0, 0, 0, 0, 0, 0}), DataOf(*s));
  s->ShiftPoints(src.data(), -3);
  EXPECT_EQ(std::vector<float>({0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), DataOf(*s));
  s->ShiftPoints(src.data(), 100);
  EXPECT_EQ(std::vector<float>(16, 0.0f), DataOf(*s));
  // The source may be the data themselves.
  s->ShiftPoints(src.data(), 0);
  s->ShiftPoints(s->m_pData, -7);
  EXPECT_EQ(std::vector<float>({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2}), DataOf(*s));
}

TEST(SpectrumSignal, SynthesizeLorentzianAndGaussianLines) {
  // 100 points over 0..1000 Hz: 10 Hz per point; a line at 300 Hz is
  // temporary point 30, written to point 99 - 30.
  const double freq[] = {300.0, 500.0, 2000.0};
  const double intensity[] = {4.0, 0.5, 9.0};
  const double width[] = {2.0, 2.0, 2.0};
  auto s = MakeSpectrum(200, [](int i) { return i % 2 ? 5.0f : 1.0f; });
  s->SynthesizeLines(freq, intensity, width, 1.0, 3, 200, 0.0, 1000.0);
  EXPECT_NEAR(1.0 + 4.0, s->m_pData[2 * 69], 1e-5);  // v w^2 / w^2 with w = 1
  EXPECT_NEAR(1.0 + 4.0 / (1.0 + 100.0), s->m_pData[2 * 70], 1e-5);
  EXPECT_NEAR(1.0 + 4.0 / (1.0 + 200.0 * 200.0), s->m_pData[2 * 49], 1e-6);  // below threshold
  for (int k = 0; k < 100; k++)
    ASSERT_EQ(0.0f, s->m_pData[2 * k + 1]);

  auto g = MakeSpectrum(200);
  g->m_bGaussian = 1;
  const double zeroWidth[] = {0.0};
  g->SynthesizeLines(freq, intensity, zeroWidth, 0.0, 1, 200, 0.0, 1000.0);
  const double w = 1.201122409;
  EXPECT_NEAR(4.0 / w, g->m_pData[2 * 69], 1e-5);
  EXPECT_NEAR(4.0 / w * std::exp(-100.0 / (w * w)), g->m_pData[2 * 70], 1e-6);
}

// Point i of the window stands for lo + i x hz: the same line 300 Hz above
// the low edge lands on the same point whatever the edge, and a line outside
// the window adds nothing.
TEST(SpectrumSignal, SynthesizeCountsFromTheWindowsLowEdge) {
  for (double lo : {0.0, 1000.0, -450.0}) {
    const double freq[] = {lo + 300.0, lo - 300.0};
    const double intensity[] = {4.0, 4.0};
    const double width[] = {2.0, 2.0};
    auto s = MakeSpectrum(200);
    s->SynthesizeLines(freq, intensity, width, 0.0, 2, 200, lo, lo + 1000.0);
    s->FindMaximum();
    EXPECT_EQ(2 * 69, s->m_nMaxIndex) << lo;
    EXPECT_NEAR(4.0, s->m_pData[2 * 69], 1e-3) << lo;
    EXPECT_NEAR(4.0 / (1.0 + 690.0 * 690.0), s->m_pData[2 * 0], 1e-7) << lo;
  }
}

TEST(SpectrumSignal, SynthesizeStaysInsideTheData) {
  // The data sit at the head of a longer buffer whose tail must stay as it
  // was, so that a write past td fails here as well as under the sanitizers.
  const double freq[] = {5.0};
  const double intensity[] = {1.0};
  const double width[] = {1.0};
  const int kGuard = 16;
  const float kMark = -7.0f;
  for (int td : {0, 2, 8, 14}) {
    auto s = MakeSpectrum(td);
    delete[] s->m_pData;
    s->m_pData = CSpectrum::AllocateFloats(td + kGuard);
    std::fill(s->m_pData + td, s->m_pData + td + kGuard, kMark);

    s->SynthesizeLines(freq, intensity, width, 0.0, 1, 0, 0.0, 10.0);
    s->SynthesizeLines(nullptr, nullptr, nullptr, 0.0, 1, td, 0.0, 10.0);
    EXPECT_EQ(std::vector<float>(td, 0.0f), DataOf(*s)) << "no points or no lines: nothing is added";

    s->SynthesizeLines(freq, intensity, width, 0.0, 1, 1000, 0.0, 10.0);
    for (int k = 0; k < td / 2; k++) {
      EXPECT_GT(s->m_pData[2 * k], 0.0f) << td << " " << k;
      EXPECT_EQ(0.0f, s->m_pData[2 * k + 1]) << td << " " << k;
    }
    for (int i = td; i < td + kGuard; i++)
      ASSERT_EQ(kMark, s->m_pData[i]) << "written past td " << td << " at " << i;
  }
}

TEST(SpectrumSignal, PolarFormRoundTrip) {
  std::vector<float> pairs = {3, 4, -1, 0, 0, -2};
  const std::vector<float> original = pairs;
  ToMagnitude(pairs.data(), 3);
  EXPECT_FLOAT_EQ(5.0f, pairs[0]);
  EXPECT_FLOAT_EQ((float)kPi, pairs[3]);
  PolarToCartesian(pairs.data(), 3);
  ExpectNear(original, pairs, 1e-5f);
  ToPower(pairs.data(), 3);
  EXPECT_NEAR(25.0f, pairs[0], 1e-4);
}

// The polar form in double precision gives the floats that long double
// gives: random pairs over 40 decades, with zeros, equal and opposite parts,
// pairs on the axes and values that are not finite, in every lane order.
TEST(SpectrumSignal, PolarFormIsTheLongDoubleOne) {
  std::mt19937 gen(11);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0), decade(-20.0, 20.0);
  std::vector<float> pairs(2 * 300001);
  for (float& v : pairs)
    v = static_cast<float>(mantissa(gen) * std::pow(10.0, decade(gen)));
  const float special[] = {0.0f, -0.0f, 1.0f, -1.0f, 3.0f, 1e-45f, -1e-45f, 3.4e38f, INFINITY, -INFINITY, NAN};
  for (size_t i = 0; i < 2 * 121; ++i)
    pairs[i] = special[(i / 2 + (i % 2) * (i / 22)) % 11];
  for (size_t i = 242; i < 2000; i += 2)
    pairs[i + 1] = (i % 4 ? -1.0f : 1.0f) * pairs[i];
  const std::vector<float> original = pairs;
  ToMagnitude(pairs.data(), (int)pairs.size() / 2);
  for (size_t k = 0; 2 * k < pairs.size(); ++k) {
    const long double re = original[2 * k], im = original[2 * k + 1];
    const float modulus = (float)std::sqrt(re * re + im * im), argument = (float)std::atan2(im, re);
    ASSERT_EQ(0, std::memcmp(&modulus, &pairs[2 * k], sizeof modulus)) << re << " " << im;
    ASSERT_EQ(0, std::memcmp(&argument, &pairs[2 * k + 1], sizeof argument)) << re << " " << im;
  }
}

// A flat, slightly noisy baseline with two narrow lines.
float Lines(int i) {
  if (i % 2)
    return 0.0f;
  const int k = i / 2;
  float v = (float)((k * 7919) % 13) * 0.01f;
  if (k >= 1000 && k < 1003)
    v += 500.0f;
  if (k >= 3000 && k < 3002)
    v += 200.0f;
  return v;
}

TEST(SpectrumNoise, FindBaselinePointsMarksTheLines) {
  CSpectrum::ResetBaselineLevel();
  auto s = MakeSpectrum(8192, Lines);
  const int n = 4096;
  std::vector<double> sums(n);
  std::vector<float> work(n);
  std::vector<BYTE> marks(n);
  const int nBaseline = s->FindBaselinePoints(s->m_pData, sums.data(), work.data(), marks.data(), 2, FALSE, n, 2);
  // The moving sums of five values change where a line enters or leaves
  // the window.
  for (int j : {998, 999, 1000, 1003, 1004, 1005, 2998, 2999, 3003, 3004})
    EXPECT_EQ(1, marks[j]) << j;
  for (int j : {3, 500, 997, 1006, 2000, 4093})
    EXPECT_EQ(0, marks[j]) << j;
  int nUnmarked = 0;
  for (int j = 3; j <= n - 3; j++)
    nUnmarked += marks[j] == 0;
  EXPECT_EQ(nUnmarked, nBaseline);
  EXPECT_GT(CSpectrum::GetBaselineLevel(), 0.0);

  // A half window below 2 is 2.
  std::vector<BYTE> marks0(n);
  EXPECT_EQ(nBaseline, s->FindBaselinePoints(s->m_pData, sums.data(), work.data(), marks0.data(), 0, FALSE, n, 2));
  EXPECT_EQ(marks, marks0);

  // Reuse rejects from twice the kept level at once; a reset forgets it.
  const double dLevel = CSpectrum::GetBaselineLevel();
  EXPECT_EQ(nBaseline, s->FindBaselinePoints(s->m_pData, sums.data(), work.data(), marks0.data(), 2, TRUE, n, 2));
  EXPECT_EQ(marks, marks0);
  EXPECT_GE(CSpectrum::GetBaselineLevel(), dLevel);
  CSpectrum::ResetBaselineLevel();
  EXPECT_EQ(0.0, CSpectrum::GetBaselineLevel());
}

TEST(SpectrumNoise, FixedCountsStayInsideShortSpectra) {
  for (int td : {0, 2, 8, 14}) {
    CSpectrum::ResetBaselineLevel();
    auto s = MakeSpectrum(td, Wave);
    s->RemoveDCOffset();
    s->FillWithNoise(2, td);
    EXPECT_GE(s->GetQuietestBlock(), 0);
    double sn = -1, noise = -1;
    s->GetSignalToNoise(td + 100, sn, noise);
    EXPECT_GE(noise, 1e-7);
    s->GetSignalToNoise(-5, sn, noise);
    // The caller asks for more values than there are.
    std::vector<double> sums(64);
    std::vector<float> work(64);
    std::vector<BYTE> marks(64);
    s->FindBaselinePoints(s->m_pData, sums.data(), work.data(), marks.data(), 2, FALSE, 64, 2);
    s->FindBaselinePoints(s->m_pData, sums.data(), work.data(), marks.data(), 2, FALSE, 64, 1);
    s->SetPhase(1.0f, 2.0f);
    s->PhaseCorrect(TRUE);
    s->Normalize();
  }
}

TEST(SpectrumNoise, QuietestBlock) {
  // Blocks of 64 points in the first half of the data, spreads 4, 1, 1, 3:
  // the first of the quietest wins; the silent second half is not searched.
  const float spread[] = {4, 1, 1, 3};
  auto s = MakeSpectrum(1024, [&](int i) { return i < 512 && (i / 2) % 2 ? spread[i / 128] : 0.0f; });
  EXPECT_EQ(1, s->GetQuietestBlock());
  EXPECT_EQ(0, MakeSpectrum(254, Wave)->GetQuietestBlock());
}

TEST(SpectrumNoise, SignalToNoise) {
  auto flat = MakeSpectrum(512, [](int i) { return i == 200 ? 3.0f : 0.0f; });
  double sn = 0, noise = 0;
  flat->GetSignalToNoise(210, sn, noise);
  EXPECT_EQ(1e-7, noise);
  EXPECT_DOUBLE_EQ(3.0 * 2.5e7, sn);

  // Noise spread 2 (block values 0 and 2); the window's upper bound is
  // exclusive: a value 50 floats above the index is not seen.
  auto s = MakeSpectrum(1024, [](int i) {
    if (i % 2)
      return 0.0f;
    if (i == 650)
      return 400.0f;
    if (i == 648)
      return -40.0f;
    return (i / 2) % 2 ? 2.0f : 0.0f;
  });
  s->GetSignalToNoise(600, sn, noise);
  EXPECT_EQ(2.0, noise);
  EXPECT_DOUBLE_EQ(40.0 * 2.5 / 2.0, sn);
  s->GetSignalToNoise(602, sn, noise);
  EXPECT_DOUBLE_EQ(400.0 * 2.5 / 2.0, sn);
}

TEST(SpectrumPeaks, CountAndPositionWalkTheRecords) {
  auto s = MakeSpectrum(64);
  EXPECT_EQ(0, s->GetPeakCount());
  EXPECT_EQ(-1, s->GetPeakPosition(0));
  CPeakPicking* a = new CPeakPicking(0, 40, 1.0f);
  a->m_arrPoints.Add(10);
  a->m_arrPoints.Add(21);
  CPeakPicking* empty = new CPeakPicking(40, 50, 1.0f);
  CPeakPicking* manual = new CPeakPicking(-1, -1, -1.0f);
  manual->m_arrPoints.Add(44);
  s->m_arrPeaks.Add(a);
  s->m_arrPeaks.Add(empty);
  s->m_arrPeaks.Add(manual);
  EXPECT_EQ(3, s->GetPeakCount());
  EXPECT_EQ(5, s->GetPeakPosition(0));
  EXPECT_EQ(10, s->GetPeakPosition(1));
  EXPECT_EQ(22, s->GetPeakPosition(2));
  EXPECT_EQ(-1, s->GetPeakPosition(3));
  EXPECT_EQ(-1, s->GetPeakPosition(-1));
}

}  // namespace
