#include "ndim/document/NdDialogCommands.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "ndim/data/Spectrum2D.h"
#include "numerics/Constants.h"
#include "numerics/Saturate.h"

namespace {

std::string Format(const char* format, double value) {
  char line[64];
  std::snprintf(line, sizeof line, format, value);
  return line;
}

std::string Format(const char* format, int value) {
  char line[64];
  std::snprintf(line, sizeof line, format, value);
  return line;
}

// The unit the axes show in a ppm scale.
const int kUnitsPpm = 3;

}  // namespace

int FourierSizeOf(int index) {
  if (index < 0)
    index = 0;
  if (index >= kFourierSizeCount)
    index = kFourierSizeCount - 1;
  return 1 << (index + 2);
}

int FourierSizeIndex(int points) {
  int index = 0;
  while (index < kFourierSizeCount - 1 && FourierSizeOf(index) < points)
    ++index;
  return index;
}

namespace {

// What a second mode code presets for the dimension before the last.
// Inverting (conjugating) reverses f1: after "qd" it negates the second row
// of each pair, after a real transform's "qd" every other real value.
struct IndirectPreset {
  BOOL hyper, real, quadrature, magnitude;
  // asDirect: as the last dimension's sense says; againstDirect: the other way
  enum { off, on, asDirect, againstDirect } invert;
};

// For sets whose quadrature sense is not stated (saved or read without it):
// by MC2's numbering 0 QF, 1 QSEQ, 2 TPPI, 3 States, 4 States-TPPI.
const IndirectPreset kUnstatedPresets[] = {{FALSE, FALSE, TRUE, TRUE, IndirectPreset::on},
                                           {FALSE, TRUE, TRUE, TRUE, IndirectPreset::on},
                                           {TRUE, TRUE, FALSE, FALSE, IndirectPreset::off},
                                           {TRUE, FALSE, TRUE, FALSE, IndirectPreset::off},
                                           {TRUE, FALSE, FALSE, FALSE, IndirectPreset::off}};

// The vendor's orientation, where the reader stated the sense:
// - QF: one echo-selected row per increment, turning against the direct
//   dimension (N-type coherence), always conjugated; magnitude.
// - QSEQ and TPPI: one real row per half increment with the phase stepped a
//   quarter turn each row; "qd" packs them into one real sequence. QSEQ
//   steps the other way round: its real values alternate in sign against
//   TPPI's (NMRPipe FT -bruk: -real -alt), which inverting after "qd" does.
// - States: cosine and sine rows turning as the direct dimension does;
//   alternated to put the carrier in the middle. States-TPPI negates every
//   other pair, which already does that.
// - Echo-antiecho: the reader has made its rows States pairs.
const IndirectPreset kVendorPresets[] = {
    {FALSE, FALSE, TRUE, TRUE, IndirectPreset::on},        {TRUE, TRUE, FALSE, FALSE, IndirectPreset::againstDirect},
    {TRUE, TRUE, FALSE, FALSE, IndirectPreset::asDirect},  {TRUE, FALSE, TRUE, FALSE, IndirectPreset::asDirect},
    {TRUE, FALSE, FALSE, FALSE, IndirectPreset::asDirect}, {TRUE, FALSE, TRUE, FALSE, IndirectPreset::asDirect}};

template <std::size_t N>
const IndirectPreset* PresetOf(const IndirectPreset (&table)[N], int code) {
  return code >= 0 && static_cast<std::size_t>(code) < N ? &table[code] : nullptr;
}

}  // namespace

int FourierDimension(const CSpectrum2D& set) {
  const int dim = set.m_nCurrentDim;
  return dim > set.m_nLastDim && set.IsValidDimension(set.m_nLastDim) ? set.m_nLastDim : dim;
}

FourierChoices FourierInitialChoices(const CSpectrum2D& set) {
  FourierChoices c;
  const int dim = FourierDimension(set);
  c.m_nSizeIndex = FourierSizeIndex(dim >= 0 && dim < CSpectrum2D::MaxDimensions ? set.m_dims[dim].m_nPoints : -1);
  c.m_bApodize = set.m_bApodize != 0;
  c.m_bNextEnabled = dim != 1;
  c.m_bNextDimension = dim != 1;
  c.m_bInvert = set.m_bAcquired != 0;
  if (dim < 0 || dim >= CSpectrum2D::MaxDimensions || set.m_nLastDim < 1 ||
      set.m_nLastDim >= CSpectrum2D::MaxDimensions)
    return c;
  const DimensionBlock& block = set.m_dims[dim];
  const int sense = set.m_dims[set.m_nLastDim].m_nIndirectMode;
  const bool stated = sense == ndSenseForward || sense == ndSenseConjugate;
  if (dim == set.m_nLastDim) {
    c.m_bReal = block.m_nAcquisitionMode != 1 && block.m_nAcquisitionMode != 3;
    c.m_bQuadrature = block.m_nAcquisitionMode != 0;
    if (stated) {
      c.m_bInvert = sense == ndSenseConjugate;
      // Sequential (QSEQ) values are one real sequence stepped against the
      // quadrature's turn: inverting negates every other value, which
      // turns it round, where alternating pairs would split each line.
      if (block.m_nAcquisitionMode == 2) {
        c.m_bQuadrature = FALSE;
        c.m_bInvert = !c.m_bInvert;
      }
    }
  } else if (set.m_nLastDim == dim + 1) {
    const IndirectPreset* p =
        stated ? PresetOf(kVendorPresets, block.m_nIndirectMode) : PresetOf(kUnstatedPresets, block.m_nIndirectMode);
    if (p != nullptr) {
      c.m_bHyper = p->hyper;
      c.m_bReal = p->real;
      c.m_bQuadrature = p->quadrature;
      c.m_bMagnitude = p->magnitude;
      const bool conjugate = sense == ndSenseConjugate;
      c.m_bInvert = p->invert == IndirectPreset::on || (p->invert == IndirectPreset::asDirect && conjugate) ||
                    (p->invert == IndirectPreset::againstDirect && !conjugate);
      // The halves "qd *" keeps hold what phasing along the direct
      // dimension needs; plain "qd" would drop them unseen.
      c.m_bHyperphase = p->hyper;
    }
  }
  return c;
}

namespace {

// The points the transform finds along its dimension of count points: the
// quadrature split of "Hyper" halves them (an odd last one dropped).
int TransformedPoints(const FourierChoices& c, int count) {
  return c.m_bHyper && count >= 2 ? count / 2 : count;
}

// The prediction's coefficients fit its basis of n - k - 1 points when
// 1 <= k <= (n - 1) / 2.
int MostCoefficients(int n) {
  return (n - 1) / 2;
}

}  // namespace

std::string FourierPredictionRefusal(const FourierChoices& c, int count, int& divisor) {
  const int n = TransformedPoints(c, count);
  if (!c.m_bPredictionFill || FourierSizeOf(c.m_nSizeIndex) <= n)
    return std::string();
  if (divisor == 0)
    divisor = 1;
  const int most = MostCoefficients(n);
  char text[320];
  if (most < 1) {
    std::snprintf(text, sizeof text,
                  "Linear Prediction Filling needs at least 3 points; the transform has %d.\n"
                  "Fill with zeros instead.",
                  n);
    return text;
  }
  const int k = divisor > 0 ? n / divisor : 0;
  if (k >= 1 && k <= most)
    return std::string();
  // The divisors that give 1 .. most coefficients.
  std::snprintf(text, sizeof text,
                "Linear Prediction Filling with Coefficients = Points/%d takes %d coefficients from %d points, "
                "where 1 to %d fit.\nSet a divisor from %d to %d in File > Customize, or fill with zeros.",
                divisor, k, n, most, n / (most + 1) + 1, n);
  return text;
}

std::vector<std::string> FourierCommandLines(const FourierChoices& c, const CSpectrum2D& set, int& divisor) {
  std::vector<std::string> lines;
  const int size = FourierSizeOf(c.m_nSizeIndex);
  const int dim = FourierDimension(set);
  if (dim != set.m_nCurrentDim)
    lines.push_back(Format("f= %d", dim));
  const int n = TransformedPoints(c, set.IsValidDimension(dim) ? set.m_dims[dim].m_nPoints : 0);
  if (c.m_bHyper)
    lines.push_back(c.m_bHyperphase ? "qd *" : "qd");
  if (c.m_bInvert)
    lines.push_back("c*");
  lines.push_back(Format(c.m_bQuadrature ? "bw q %d" : "bw s %d", size));
  if (c.m_bApodize) {
    const ApodizationSettings& a = set.m_apodization;
    struct Window {
      int index;
      const char* format;
    };
    const Window windows[] = {{ApodizationSettings::Exponential, "em %.5lf"},
                              {ApodizationSettings::Gaussian, "ga %.5lf"},
                              {ApodizationSettings::SineBell, "sb %.5lf"},
                              {ApodizationSettings::SquaredSineBell, "s2 %.5lf"},
                              {ApodizationSettings::FirstPoint, "fp %.5lf"}};
    for (const Window& w : windows)
      if (a.m_bOn[w.index])
        lines.push_back(Format(w.format, a.m_dValue[w.index]));
  }
  lines.push_back("ew");
  // With nothing to predict (a size not above the points), filling is the
  // zero filling or cut to that size.
  if (c.m_bPredictionFill && size > n) {
    if (divisor == 0)
      divisor = 1;
    const int k = n / divisor;
    char line[96];
    std::snprintf(line, sizeof line, "lp %d %d %d %d", n, size - 1, n - k - 1, k);
    lines.push_back(line);
  } else {
    lines.push_back(Format("ze %d", size));
  }
  std::string ft = c.m_bInverse ? "ft i " : "ft ";
  if (c.m_bReal)
    ft += 'r';
  lines.push_back(ft);
  if (c.m_bMagnitude)
    lines.push_back("ma");
  return lines;
}

void FinishFourier(CSpectrum2D& set, BOOL bApodize) {
  if (set.m_nCurrentDim == 1)
    set.m_axis.m_nUnitsF2 = kUnitsPpm;
  else if (set.m_nCurrentDim < 1)
    set.m_axis.m_nUnitsF1 = kUnitsPpm;
  set.m_bApodize = bApodize ? 1 : 0;
}

PredictionChoices PredictionInitialChoices(const CSpectrum2D& set) {
  PredictionChoices c;
  const int n = set.GetCurrentCount();
  c.m_nFirst = n;
  c.m_nLast = 2 * n - 1;
  return c;
}

std::string PredictionCommandLine(PredictionChoices c, const CSpectrum2D& set, bool& truncated) {
  const int room = set.GetCurrentCount() - c.m_nCoefficients - 1;
  truncated = room < c.m_nBasis;
  if (truncated)
    c.m_nBasis = room;
  char line[96];
  std::snprintf(line, sizeof line, "lp %d %d %d %d", c.m_nFirst, c.m_nLast, c.m_nBasis, c.m_nCoefficients);
  return line;
}

double HighPassNullPoint(const CSpectrum2D& set) {
  const int dim = set.m_nCurrentDim;
  if (dim < 0 || dim >= CSpectrum2D::MaxDimensions || set.m_dims[dim].m_fSpectrometerFreq == 0.0f)
    return 0.0;
  const DimensionBlock& block = set.m_dims[dim];
  return (block.m_fSpectralWidth / 2.0 + block.m_fLastFrequency) / block.m_fSpectrometerFreq;
}

std::string HighPassCommandLine(int selectivity, double nullPoint) {
  char line[96];
  std::snprintf(line, sizeof line, "fi %d %f 1", selectivity, nullPoint);
  return line;
}

bool BaselineAlongOffered(int index, int last) {
  return index >= 0 && index + 1 <= last;
}

std::string BaselineCommandLine(const BaselineChoices& c) {
  const long long filter = std::strtoll(c.m_filter.c_str(), nullptr, 10);
  char line[96];
  std::snprintf(line, sizeof line, "bc %d %d %d %d", c.m_nAlong + 1, c.m_nOrder, c.m_bTrigonometric ? 1 : 0,
                ClampToInt(filter));
  return line;
}

int RoundSliderDelta(int oldPos, int newPos) {
  if (oldPos < 100 && newPos > 300)
    return newPos - oldPos - 360;
  if (oldPos > 300 && newPos < 100)
    return newPos - oldPos + 360;
  return newPos - oldPos;
}

double NormaliseZeroOrder(double zero) {
  // A full turn or more either way comes back into the circle too.
  if (zero <= -1e-6)
    zero = std::fmod(zero, 360.0) + 360.0;
  if (std::fabs(zero - 360.0) < 1e-6)
    return 0.0;
  if (zero > 360.0)
    return std::fmod(zero, 360.0);
  return zero;
}

double PivotCompensatedZero(double zero, int pivot, double first, double previous, int n) {
  if (n <= 0)
    return NormaliseZeroOrder(zero);
  const double shift = static_cast<double>(pivot) * (first - previous) * kDegToRad / n;
  return NormaliseZeroOrder((zero * kDegToRad - shift) * kRadToDeg);
}

int PivotPoint(int pixel, int width, int from, int to) {
  if (width <= 0)
    return from & ~1;
  const long long point = from + static_cast<long long>(pixel) * (to - from) / width;
  return static_cast<int>(point) & ~1;
}

int WrapDegrees(int degrees) {
  const int wrapped = degrees % 360;
  return wrapped < 0 ? wrapped + 360 : wrapped;
}
