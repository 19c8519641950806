#include "onedim/model/WindowFunction.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cfloat>
#include <new>

#include "numerics/Saturate.h"
#include "numerics/Constants.h"
#include "onedim/model/WindowWeights.h"

namespace {

// The Gaussian window keeps its historical five-digit constant.
const long double kGaussPi = 3.14159L;

const char kBadWidth[] = "Spectral width must be greater than 0";
const char kBadGB[] = "GB must be greater than 0";
const char kNoMemory[] = "Memory exhausted. \nWindow function aborted";
const char kOverflow[] = "The window function gives values out of range";

void SetMessage(const char** message, const char* text) {
  if (message)
    *message = text;
}

// The exponential, Gaussian and Lorentz-Gauss weights are exp(q(i)) of an
// exponent q that is linear or quadratic in the float index. Only the first
// weight of each block of kBlock floats takes its own exp (as Weight
// computes it); the others are that weight times factors:
//   exp(q(i0 + k)) = exp(q(i0)) exp(k (alpha + 2 beta i0)) exp(beta k^2)
// for q(i) = q0 + alpha i + beta i^2. In long double the factors move a
// weight by a few units in the last place of its 64-bit mantissa, far below
// the double it is kept as and the float it weights.
const int kBlock = 32;

enum WeightRule { kOwnWeights, kLinearExponent, kQuadraticExponent };

struct BlockFactors {
  WeightRule rule = kOwnWeights;
  long double q0 = 0, alpha = 0, beta = 0;  // q(i) = q0 + alpha i + beta i^2
  long double power[kBlock];                // linear: w(k); quadratic: exp(beta k^2)
};

// The factors of a window's weights; no rule for the windows whose weights
// each take their own sin or cos, or two exps.
template <typename OwnWeight>
BlockFactors MakeFactors(int type, float lbIn, float gb, float gaussShift, int td, long double sw, OwnWeight own) {
  BlockFactors f;
  const long double h = 1.0L / (2.0L * sw);  // t(i) = i h
  const long double aq = td / (2.0L * sw);
  switch (type) {
    case CWindowFunction::Gaussian: {
      // q = -(a i - b)^2 / (4 ln 2)
      const long double a = kGaussPi * lbIn * h, b = gaussShift * aq, ln4 = 4.0L * std::log(2.0L);
      f.q0 = -b * b / ln4;
      f.alpha = 2.0L * a * b / ln4;
      f.beta = -a * a / ln4;
      f.rule = kQuadraticExponent;
      break;
    }
    case CWindowFunction::LorentzGauss: {
      const long double lb = lbIn;
      f.alpha = -lb * kPiL * h;
      f.beta = lb * kPiL * h * h / (2.0L * gb * aq);
      f.rule = kQuadraticExponent;
      break;
    }
    case CWindowFunction::Traficante:
    case CWindowFunction::SineBell:
    case CWindowFunction::SineSquared:
    case CWindowFunction::Hamming:
    case CWindowFunction::Hanning:
      return f;
    default:
      f.alpha = -lbIn * kPiL * h;
      f.rule = kLinearExponent;
      break;
  }
  for (int k = 0; k < kBlock; ++k)
    f.power[k] = f.rule == kQuadraticExponent ? std::exp(f.beta * k * k) : own(k);
  return f;
}

// Fills weights[0 .. td) and checks each against its source value: false
// when a weighted value leaves the float range or a weight the double range
// (a zero would turn it into NaN). Only the products of the factors are
// long double; a product that lands beyond the double range (or is not a
// number, where a factor left the long double range) is taken again from
// the weight's own exp.
template <WeightRule rule, typename OwnWeight>
bool FillWeights(const BlockFactors& f, OwnWeight own, const float* source, int td, double* weights) {
  bool bInRange = true;
  for (int i0 = 0; i0 < td; i0 += kBlock) {
    const int count = std::min(kBlock, td - i0);
    const long double first = rule == kOwnWeights ? 0.0L : own(i0);
    const long double ratio = rule == kQuadraticExponent ? std::exp(f.alpha + 2.0L * f.beta * i0) : 1.0L;
    long double step = 1.0L;
    for (int k = 0; k < count; ++k) {
      long double w;
      if (rule == kOwnWeights)
        w = own(i0 + k);
      else if (rule == kQuadraticExponent)
        w = first * step * f.power[k];
      else
        w = first * f.power[k];
      if (rule == kQuadraticExponent)
        step *= ratio;
      double weight = static_cast<double>(w);
      if (rule != kOwnWeights && !(std::fabs(weight) <= DBL_MAX))
        weight = static_cast<double>(own(i0 + k));
      bInRange &= std::fabs(source[i0 + k] * weight) <= FLT_MAX && std::fabs(weight) <= DBL_MAX;
      weights[i0 + k] = weight;
    }
    if (!bInRange)
      return false;
  }
  return true;
}

// The exponentials' near weights, block by block: a block whose exponents
// stay within +-700 takes its first weight's exp in double (of the
// exponent's double, times one plus the rest of it) times factors rounded
// from long double, three products a weight, within 2^-47 of the own
// weight; any other block is computed as FillWeights computes it. The
// floats are settled afterwards (SettleOwnWeights).
template <WeightRule rule, typename OwnWeight>
void FillNearExponents(const BlockFactors& f, OwnWeight own, int td, double* weights) {
  double power[kBlock];
  for (int k = 0; k < kBlock; ++k)
    power[k] = static_cast<double>(f.power[k]);
  for (int i0 = 0; i0 < td; i0 += kBlock) {
    const int count = std::min(kBlock, td - i0);
    const long double i = i0;
    const long double q = f.q0 + f.alpha * i + f.beta * i * i;
    const long double slope = f.alpha + 2.0L * f.beta * i;
    if (std::fabs(q) + std::fabs(slope) * kBlock + std::fabs(f.beta) * kBlock * kBlock <= 700.0L) {
      const double qd = static_cast<double>(q);
      const double base = std::exp(qd) * (1.0 + static_cast<double>(q - qd));
      if (rule == kLinearExponent) {
        for (int k = 0; k < count; ++k)
          weights[i0 + k] = base * power[k];
        continue;
      }
      // exp(slope k) = exp(slope 8 m) exp(slope l) for k = 8 m + l: powers
      // of a double exp, whose unit in the last place the 31st power takes
      // to 2^-48, each from at most five products.
      const double r = std::exp(static_cast<double>(slope)), r2 = r * r, r3 = r2 * r, r4 = r2 * r2;
      const double r8 = r4 * r4, r16 = r8 * r8;
      const double low[8] = {1.0, r, r2, r3, r4, r4 * r, r4 * r2, r4 * r3};
      const double high[kBlock / 8] = {1.0, r8, r16, r16 * r8};
      double factor[kBlock];
      for (int m = 0; m < kBlock / 8; ++m)
        for (int l = 0; l < 8; ++l)
          factor[8 * m + l] = power[8 * m + l] * (high[m] * low[l]);
      for (int k = 0; k < count; ++k)
        weights[i0 + k] = base * factor[k];
      continue;
    }
    const long double first = own(i0);
    const long double ratio = rule == kQuadraticExponent ? std::exp(f.alpha + 2.0L * f.beta * i0) : 1.0L;
    long double step = 1.0L;
    for (int k = 0; k < count; ++k) {
      const long double w = rule == kQuadraticExponent ? first * step * f.power[k] : first * f.power[k];
      if (rule == kQuadraticExponent)
        step *= ratio;
      double weight = static_cast<double>(w);
      if (!(std::fabs(weight) <= DBL_MAX))
        weight = static_cast<double>(own(i0 + k));
      weights[i0 + k] = weight;
    }
  }
}

// Over near weights: the floats they do not settle take their own weights,
// checked as FillWeights checks them.
template <typename OwnWeight>
bool SettleOwnWeights(OwnWeight own, const float* source, int td, double absolute, double* weights) {
  std::vector<int> unsettled;
  if (!window_weights::SettleNearFloats(source, weights, td, absolute, unsettled))
    return false;
  for (int i : unsettled) {
    const double weight = static_cast<double>(own(i));
    if (!(std::fabs(source[i] * weight) <= FLT_MAX && std::fabs(weight) <= DBL_MAX))
      return false;
    weights[i] = weight;
  }
  return true;
}

// Where the curve's pixels could move with near weights' last bits
// (window_weights::FindCurveRows), the own weights are kept. Any weight may
// be its own: its float is the own weight's float.
template <typename OwnWeight>
void KeepCurveRows(OwnWeight own, int td, double* weights) {
  std::vector<int> rows;
  window_weights::FindCurveRows(weights, td, rows);
  for (int i : rows)
    weights[i] = static_cast<double>(own(i));
}

}  // namespace

CWindowFunction::CWindowFunction(float* source, float* target, int* td, double* sw)
    : m_pTarget(target),
      m_nViewHeight(0),
      m_Colour(255),
      m_nPenWidth(1),
      m_bShowCurve(0),
      m_pWeights(nullptr),
      m_GB(1.0f),
      m_LB(2.0f),
      m_SineShift(0.0f),
      m_GaussShift(0.0f),
      m_pSource(source),
      m_pSW(sw),
      m_pTD(td),
      m_nType(0),
      m_nWeights(0) {}

CWindowFunction::~CWindowFunction() {
  delete[] m_pWeights;
}

void CWindowFunction::SetBuffers(float* source, float* target) {
  m_pSource = source;
  m_pTarget = target;
}

BOOL CWindowFunction::SetParameters(int type, float lb, float gb, float gaussShift, float sineShift,
                                    const char** message) {
  if (!(gb > 0.0f)) {
    SetMessage(message, kBadGB);
    return FALSE;
  }
  m_nType = type;
  m_LB = lb;
  m_GB = gb;
  m_GaussShift = gaussShift;
  m_SineShift = sineShift;
  return TRUE;
}

long double CWindowFunction::Weight(int i) {
  const int td = GetTD();
  const long double sw = m_pSW ? *m_pSW : 0.0;
  if (td <= 0 || !(sw > 0.0L))
    return 1.0L;
  const long double t = i / (2.0L * sw);
  const long double aq = td / (2.0L * sw);
  switch (m_nType) {
    case Gaussian: {
      const long double x = kGaussPi * m_LB * t - m_GaussShift * aq;
      return std::exp(-(x * x) / (4.0L * std::log(2.0L)));
    }
    case LorentzGauss: {
      // A positive LB would give a falling Gaussian; this window rises to
      // its maximum at t = GB AQ, which needs LB below 0.
      if (m_LB > 0.0f)
        m_LB = -1.0f;
      const long double lb = m_LB;
      return std::exp(-lb * kPiL * t + lb * kPiL * t * t / (2.0L * m_GB * aq));
    }
    case Traficante: {
      const long double ei = std::exp(-m_LB * kPiL * i / (2.0L * sw));
      const long double er = std::exp(-m_LB * kPiL * (td - i) / (2.0L * sw));
      return ei / (er * er + ei * ei);
    }
    case SineBell:
    case SineSquared: {
      const long double phi = m_SineShift * static_cast<long double>(kDegToRad);
      const long double w = std::sin(phi + (kPiL - phi) * i / td);
      return m_nType == SineBell ? w : w * w;
    }
    case Hamming:
      return 0.54L + 0.46L * std::cos(kPiL * i / td);
    case Hanning:
      return 0.5L * (1.0L + std::cos(kPiL * i / td));
    default:
      return std::exp(-m_LB * kPiL * t);
  }
}

BOOL CWindowFunction::Apply(const char** message) {
  const int td = GetTD();
  if (!m_pSW || !(*m_pSW > 0.0)) {
    SetMessage(message, kBadWidth);
    return FALSE;
  }
  if (td <= 0 || !m_pSource || !m_pTarget)
    return TRUE;
  double* weights = new (std::nothrow) double[td];
  if (!weights) {
    SetMessage(message, kNoMemory);
    return FALSE;
  }
  if (m_nType == LorentzGauss)
    Weight(0);  // turns a positive LB negative, as every weight does
  auto own = [this](int i) { return Weight(i); };
  const BlockFactors f = MakeFactors(m_nType, m_LB, m_GB, m_GaussShift, td, *m_pSW, own);
  // Every weight and weighted value is checked before the target changes,
  // so that an extreme LB cannot leave infinities or NaN in the data.
  bool bInRange, bNear = false;
  double absolute = 0.0;
  if (f.rule == kLinearExponent) {
    FillNearExponents<kLinearExponent>(f, own, td, weights);
    bInRange = SettleOwnWeights(own, m_pSource, td, 0.0, weights);
  } else if (f.rule == kQuadraticExponent) {
    FillNearExponents<kQuadraticExponent>(f, own, td, weights);
    bInRange = SettleOwnWeights(own, m_pSource, td, 0.0, weights);
  } else if ((bNear = window_weights::NearWeights(m_nType, m_LB, m_SineShift, td, *m_pSW, weights, absolute))) {
    bInRange = SettleOwnWeights(own, m_pSource, td, absolute, weights);
  }
  else
    bInRange = FillWeights<kOwnWeights>(f, own, m_pSource, td, weights);
  if (bInRange && (f.rule != kOwnWeights || bNear))
    KeepCurveRows(own, td, weights);
  if (!bInRange) {
    delete[] weights;
    SetMessage(message, kOverflow);
    return FALSE;
  }
  delete[] m_pWeights;
  m_pWeights = weights;
  m_nWeights = td;
  window_weights::Weigh(m_pSource, weights, td, m_pTarget);
  return TRUE;
}

std::vector<POINT> CWindowFunction::CurvePoints(int left, int right) const {
  std::vector<POINT> points;
  const int count = m_pWeights ? m_nWeights : 0;
  const int height = m_nViewHeight;
  const int y0 = (height - 31) / 2;
  const double scale = height / 2 - 25;

  double wmax = count > 0 ? m_pWeights[0] : 0.0;
  for (int i = 1; i < count; ++i)
    if (std::fabs(m_pWeights[i]) > std::fabs(wmax))
      wmax = m_pWeights[i];
  const bool flat = !(wmax != 0.0) || !std::isfinite(wmax);

  auto yOf = [&](int i) -> LONG {
    if (flat)
      return y0;
    const double y = y0 - scale * m_pWeights[i] / wmax;
    if (!(y > INT_MIN) || !(y < INT_MAX))
      return y0;
    return static_cast<LONG>(y);
  };
  auto xOf = [&](int i) -> LONG {
    return static_cast<LONG>(left + MulDivRound(right - left, i, count));
  };

  if (count == 0) {
    points.push_back(POINT{left, y0});
    points.push_back(POINT{right, y0});
    return points;
  }
  points.push_back(POINT{left, yOf(0)});
  int i = 0;
  while (i < count) {
    const LONG x = xOf(i);
    LONG lo = yOf(i), hi = lo;
    for (++i; i < count && xOf(i) == x; ++i) {
      const LONG y = yOf(i);
      lo = std::min(lo, y);
      hi = std::max(hi, y);
    }
    points.push_back(POINT{x, lo});
    points.push_back(POINT{x, hi});
  }
  return points;
}
