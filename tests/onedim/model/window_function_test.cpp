#include "onedim/model/WindowFunction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "onedim/model/WindowWeights.h"
#include "onedim/processing/FastFourier.h"
#include "numerics/Constants.h"
#include "tests/onedim/model/legacy_window.h"

namespace {

struct WindowFixture {
  explicit WindowFixture(int floats, double width = 5000.0)
      : td(floats), sw(width), source(floats, 1.0f), target(floats, 0.0f), wf(source.data(), target.data(), &td, &sw) {}
  int td;
  double sw;
  std::vector<float> source;
  std::vector<float> target;
  CWindowFunction wf;
};

// Closed forms of the eight windows at float index i.
double ClosedForm(int type, double i, int td, double sw, double lb, double gb, double gshift, double sshift) {
  const double t = i / (2 * sw), aq = td / (2 * sw);
  switch (type) {
    case 1: {
      const double x = 3.14159 * lb * t - gshift * aq;
      return std::exp(-x * x / (4 * std::log(2.0)));
    }
    case 2:
      return std::exp(-lb * kPi * t + lb * kPi * t * t / (2 * gb * aq));
    case 3: {
      const double e = std::exp(-lb * kPi * i / (2 * sw));
      const double r = std::exp(-lb * kPi * (td - i) / (2 * sw));
      return e / (r * r + e * e);
    }
    case 4:
    case 5: {
      const double phi = sshift * kPi / 180;
      const double w = std::sin(phi + (kPi - phi) * i / td);
      return type == 4 ? w : w * w;
    }
    case 6:
      return 0.54 + 0.46 * std::cos(kPi * i / td);
    case 7:
      return 0.5 * (1 + std::cos(kPi * i / td));
    default:
      return std::exp(-lb * kPi * t);
  }
}

TEST(WindowFunction, EveryTypeEqualsItsClosedForm) {
  const int td = 1024;
  for (int type = 0; type <= 8; ++type) {  // 8 acts as 0
    WindowFixture f(td, 2000.0);
    for (int i = 0; i < td; ++i)
      f.source[i] = static_cast<float>(1 + (i % 7));
    // LB negative for Lorentz-Gauss so that it is not reset to -1.
    const float lb = type == 2 ? -1.5f : 3.0f;
    ASSERT_TRUE(f.wf.SetParameters(type, lb, 0.3f, 0.2f, 30.0f));
    ASSERT_TRUE(f.wf.Apply());
    ASSERT_EQ(f.wf.GetWeightCount(), td);
    for (int i = 0; i < td; ++i) {
      const double w = ClosedForm(type == 8 ? 0 : type, i, td, 2000.0, lb, 0.3f, 0.2f, 30.0);
      ASSERT_NEAR(f.wf.GetWeights()[i], w, 1e-6 * std::max(1.0, std::fabs(w))) << type << " " << i;
      ASSERT_NEAR(f.target[i], f.source[i] * w, 1e-6 * std::max(1.0, std::fabs(f.source[i] * w)));
    }
  }
}

TEST(WindowFunction, ExponentialWithZeroBroadeningChangesNothing) {
  WindowFixture f(64);
  for (int i = 0; i < 64; ++i)
    f.source[i] = static_cast<float>(i) - 20.0f;
  f.wf.m_LB = 0.0f;
  ASSERT_TRUE(f.wf.Apply());
  EXPECT_EQ(f.target, f.source);
  f.wf.m_nViewHeight = 200;
  std::vector<POINT> curve = f.wf.CurvePoints(0, 100);
  for (const POINT& p : curve)
    EXPECT_EQ(p.y, (200 - 31) / 2 - (200 / 2 - 25));
}

TEST(WindowFunction, ParameterEdgeCases) {
  WindowFixture f(128);
  f.wf.m_nType = CWindowFunction::SineBell;
  f.wf.m_SineShift = 90.0f;  // a cosine bell starting at 1
  f.wf.Apply();
  for (int i = 0; i < 128; ++i)
    EXPECT_NEAR(f.wf.GetWeights()[i], std::cos(kPi / 2 * i / 128), 1e-9);
  f.wf.m_SineShift = 0.0f;
  f.wf.Apply();
  EXPECT_EQ(f.wf.GetWeights()[0], 0.0);
  // Lorentz-Gauss needs a negative LB; a positive one becomes -1 and stays.
  f.wf.m_nType = CWindowFunction::LorentzGauss;
  f.wf.m_LB = 2.0f;
  ASSERT_TRUE(f.wf.Apply());
  EXPECT_EQ(f.wf.m_LB, -1.0f);
}

TEST(WindowFunction, RefusesBadWidthAndGbKeepingThePreviousState) {
  WindowFixture f(32, 0.0);
  f.target.assign(32, 7.0f);
  const char* message = nullptr;
  EXPECT_FALSE(f.wf.Apply(&message));
  ASSERT_NE(message, nullptr);
  EXPECT_STREQ(message, "Spectral width must be greater than 0");
  for (float v : f.target)
    EXPECT_EQ(v, 7.0f);

  message = nullptr;
  EXPECT_FALSE(f.wf.SetParameters(4, 5.0f, 0.0f, 1.0f, 10.0f, &message));
  EXPECT_STREQ(message, "GB must be greater than 0");
  EXPECT_FALSE(f.wf.SetParameters(4, 5.0f, -1.0f, 1.0f, 10.0f));
  EXPECT_FALSE(f.wf.SetParameters(4, 5.0f, NAN, 1.0f, 10.0f));
  EXPECT_EQ(f.wf.m_nType, 0);
  EXPECT_EQ(f.wf.m_LB, 2.0f);
  EXPECT_EQ(f.wf.m_GB, 1.0f);
}

TEST(WindowFunction, OverflowingWeightsLeaveTheDataAlone) {
  WindowFixture f(1024, 10.0);
  f.target.assign(1024, 3.0f);
  f.wf.m_LB = -1e4f;  // exp(+huge): out of range
  const char* message = nullptr;
  EXPECT_FALSE(f.wf.Apply(&message));
  EXPECT_NE(message, nullptr);
  for (float v : f.target)
    EXPECT_EQ(v, 3.0f);
  f.wf.m_nType = CWindowFunction::Traficante;  // 0 / 0 for a large positive LB
  f.wf.m_LB = 1e6f;
  EXPECT_FALSE(f.wf.Apply());
  for (float v : f.target)
    EXPECT_EQ(v, 3.0f);
  // A rising exponential whose weights pass the double range (though not
  // the long double one) only where the signal is zero: zero times an
  // infinite weight once wrote NaN into the data.
  WindowFixture rising(8, 10.0);
  rising.source.assign(8, 0.0f);
  rising.source[0] = 1.0f;
  rising.target.assign(8, 3.0f);
  rising.wf.m_LB = -6400.0f;  // exp(1005 i): 10^437 at i = 1, 10^3055 at i = 7
  EXPECT_FALSE(rising.wf.Apply());
  for (float v : rising.target)
    EXPECT_EQ(v, 3.0f);
}

TEST(WindowFunction, CurveSpreadsWeightsOverThePixelSpan) {
  WindowFixture f(8);
  f.wf.m_nType = CWindowFunction::Hanning;
  f.wf.Apply();
  f.wf.m_nViewHeight = 231;  // y0 = 100, scale 90
  std::vector<POINT> curve = f.wf.CurvePoints(10, 18);
  ASSERT_EQ(curve.size(), 1u + 2 * 8);
  EXPECT_EQ(curve[0].x, 10);
  EXPECT_EQ(curve[0].y, 10);  // 100 - 90 * 1
  for (int i = 0; i < 8; ++i) {
    const double w = f.wf.GetWeights()[i];
    EXPECT_NEAR(w, 0.5 * (1 + std::cos(kPi * i / 8)), 1e-12);
    EXPECT_EQ(curve[1 + 2 * i].x, 10 + i);
    EXPECT_EQ(curve[1 + 2 * i].y, static_cast<int>(100 - 90 * w));
  }
  // More weights than pixels: one column holds its smallest and largest y.
  curve = f.wf.CurvePoints(0, 2);
  ASSERT_EQ(curve.size(), 1u + 2 * 3);  // MulDiv rounds: columns 0, 1, 2
  EXPECT_LE(curve[1].y, curve[2].y);
}

TEST(WindowFunction, CurveOfZeroWeightsIsFlat) {
  WindowFixture f(16);
  f.source.assign(16, 0.0f);
  f.wf.m_nType = CWindowFunction::SineBell;
  f.wf.m_SineShift = 0.0f;
  f.wf.Apply();
  f.wf.m_nViewHeight = 100;
  // Zero every weight by hand: the largest weight is 0.
  for (int i = 0; i < 16; ++i)
    f.wf.m_pWeights[i] = 0.0;
  for (const POINT& p : f.wf.CurvePoints(0, 50))
    EXPECT_EQ(p.y, (100 - 31) / 2);
  f.wf.m_pWeights[3] = NAN;
  f.wf.m_pWeights[5] = INFINITY;
  for (const POINT& p : f.wf.CurvePoints(0, 50))
    EXPECT_EQ(p.y, (100 - 31) / 2);
}

// Exponential broadening of LB Hz adds LB Hz to a line's width at half
// height after the transform.
TEST(WindowFunction, LineBroadeningWidensALineByLb) {
  const int n = 4096;
  const double sw = 1000.0, freq = 100.0, r2 = 5.0, lb = 4.0;
  auto widthAfter = [&](double broadening) {
    int td = 2 * n;
    double width = sw;
    std::vector<float> src(td), dst(td);
    for (int j = 0; j < n; ++j) {
      const double t = j / sw;
      src[2 * j] = static_cast<float>(std::exp(-r2 * t) * std::cos(2 * kPi * freq * t));
      src[2 * j + 1] = static_cast<float>(std::exp(-r2 * t) * std::sin(2 * kPi * freq * t));
    }
    CWindowFunction wf(src.data(), dst.data(), &td, &width);
    wf.m_LB = static_cast<float>(broadening);
    EXPECT_TRUE(wf.Apply());
    CFastFourier fft;
    fft.SetData(dst.data(), td, 1, 0, 1);
    fft.HalveFirstPoint();
    fft.Transform();
    int peak = 0;
    for (int k = 1; k < n; ++k)
      if (dst[2 * k] > dst[2 * peak])
        peak = k;
    const double half = dst[2 * peak] / 2;
    auto crossing = [&](int dir) {
      int k = peak;
      while (dst[2 * (k + dir)] > half)
        k += dir;
      const double a = dst[2 * k], b = dst[2 * (k + dir)];
      return k + dir * (a - half) / (a - b);
    };
    return (crossing(1) - crossing(-1)) * sw / n;
  };
  EXPECT_NEAR(widthAfter(lb) - widthAfter(0.0), lb, 0.05 * lb);
}

// The near weights' floats are the own weights' floats, bit for bit, at
// every size from 1 up, for random signals over 55 decades and every near
// window with its shifts and broadenings at the ends of their ranges.
TEST(WindowFunction, NearWeightsWeighEveryFloatAsTheOwnWeights) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0), decade(-30.0, 25.0);
  int nInRange = 0;
  const struct {
    int type;
    float lb, sineShift;
  } kCases[] = {{3, 1.0f, 0}, {3, -3.0f, 0}, {4, 0, 0}, {4, 0, 90.0f}, {4, 0, 33.3f},
                {5, 0, 0},    {5, 0, 71.0f}, {6, 0, 0}, {7, 0, 0}};
  for (int td : {1, 2, 3, 17, 63, 64, 65, 1000, 4097, 65536}) {
    std::vector<float> source(td);
    for (float& v : source)
      v = static_cast<float>(mantissa(gen) * std::pow(10.0, decade(gen)));
    for (const auto& c : kCases) {
      WindowFixture f(td, 2500.0);
      f.source = source;
      ASSERT_TRUE(f.wf.SetParameters(c.type, c.lb, 1.0f, 0.0f, c.sineShift));
      legacy_window::Parameters p;
      p.type = c.type;
      p.lb = c.lb;
      p.sineShift = c.sineShift;
      std::vector<double> weights;
      std::vector<float> want;
      const bool bInRange = legacy_window::Apply(p, source.data(), td, 2500.0, weights, want);
      ASSERT_EQ(bInRange, f.wf.Apply() != FALSE) << c.type << " td " << td;
      nInRange += bInRange;
      if (bInRange)
        ASSERT_EQ(0, std::memcmp(f.target.data(), want.data(), td * sizeof(float))) << c.type << " td " << td;
    }
  }
  EXPECT_GE(nInRange, 80);  // of 90
}

// The kernels at the roundings they guard: a double product exactly half
// way between two floats, and one below the normal floats, weigh as the
// long double product does; near weights leave such floats unsettled.
TEST(WindowFunction, WeighingRoundsOnceWhereRoundingTwiceWouldDiffer) {
  // 1.5 (1 + 2^-23) lies half way between two floats; with a weight a
  // double's unit above 1.5 the product lies just above half way.
  const float odd = 1.0f + 0x1p-23f;
  const std::vector<float> source = {odd, odd, 1e-30f, -odd, 3.0f, 0.0f, -0.0f};
  const std::vector<double> weights = {1.5, 1.5 * (1 + 0x1p-52), 1e-10, 1.5, 0.25, 2.0, 2.0};
  std::vector<float> target(source.size());
  window_weights::Weigh(source.data(), weights.data(), (int)source.size(), target.data());
  for (size_t i = 0; i < source.size(); ++i) {
    const float want = static_cast<float>(source[i] * static_cast<long double>(weights[i]));
    EXPECT_EQ(0, std::memcmp(&target[i], &want, sizeof want)) << i;
  }
  std::vector<int> unsettled;
  ASSERT_TRUE(window_weights::SettleNearFloats(source.data(), weights.data(), (int)source.size(), 0.0, unsettled));
  EXPECT_EQ(unsettled, (std::vector<int>{0, 1, 3}));
  // Beyond the float range: refused, as the own weights' check refuses it.
  const std::vector<float> big = {3e38f, 3e38f};
  const std::vector<double> twice = {1.0, 2.0};
  unsettled.clear();
  EXPECT_FALSE(window_weights::SettleNearFloats(big.data(), twice.data(), 2, 0.0, unsettled));
}

}  // namespace
