#include "ndim/script/CommandInterpreter.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ndim/processing/NdBaselineFit.h"
#include "ndim/processing/NdFidFilter.h"
#include "ndim/processing/NdPrediction.h"
#include "ndim/processing/NdProcessing.h"
#include "ndim/processing/NdWindows.h"
#include "ndim/data/Spectrum2D.h"
#include "numerics/Saturate.h"
#include "numerics/Constants.h"

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads a command line the way its formats ("%s %c %d %f ...") describe,
// without copying words into buffers: every conversion skips blanks first,
// a failed one ends the line, and Count() is the number that succeeded
// (the command word included).
class CArgScanner {
 public:
  explicit CArgScanner(const char* line) : m_p(line) {}

  int Count() const { return m_nCount; }

  bool Word() {
    if (!Begin())
      return false;
    while (*m_p && !IsSpace(*m_p))
      ++m_p;
    return Done();
  }
  bool Char(char& c) {
    if (!Begin())
      return false;
    c = *m_p++;
    return Done();
  }
  // strtol's syntax, saturated to the int range.
  bool Int(int& v) {
    if (!Begin())
      return false;
    const char* p = m_p;
    bool negative = false;
    if (*p == '+' || *p == '-')
      negative = *p++ == '-';
    if (!std::isdigit(static_cast<unsigned char>(*p)))
      return Fail();
    long long value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p)
      if (value <= 2147483648LL)
        value = value * 10 + (*p - '0');
    if (negative)
      value = -value;
    v = ClampToInt(value);
    m_p = p;
    return Done();
  }
  // A number as %f reads it; values that are not finite are refused.
  bool Float(double& v) {
    if (!Begin())
      return false;
    char* end = nullptr;
    const double value = std::strtod(m_p, &end);
    if (end == m_p || !std::isfinite(static_cast<float>(value)))
      return Fail();
    v = static_cast<float>(value);
    m_p = end;
    return Done();
  }

 private:
  bool Begin() {
    if (m_bFailed)
      return false;
    while (IsSpace(*m_p))
      ++m_p;
    if (!*m_p)
      return Fail();
    return true;
  }
  bool Done() {
    ++m_nCount;
    return true;
  }
  bool Fail() {
    m_bFailed = true;
    return false;
  }

  const char* m_p;
  int m_nCount = 0;
  bool m_bFailed = false;
};

// The weights of the current dimension for a window command, or null.
float* Weights(CSpectrum2D& set) {
  return set.HasWeights() ? set.m_pWeights : nullptr;
}

int FirstPointOffset(const CSpectrum2D& set) {
  return SaturatingInt(set.m_dims[set.m_nCurrentDim].m_fFirstPoint);
}

// One line as its handler sees it: the set, the arguments after the
// command word, the whole line and where messages go.
struct CommandLine {
  CSpectrum2D& set;
  CArgScanner& args;
  const char* text;
  CNdMessageSink* sink;

  void Show(LPCSTR message) const {
    if (sink)
      sink->ShowMessage(message);
  }
  double SpectralWidth() const { return set.m_dims[set.m_nCurrentDim].m_fSpectralWidth; }
};

void BaselineCorrect(CommandLine& c) {
  int d = c.set.m_nLastDim, order = 5, basis = 0, width = 2;
  c.args.Int(d);
  c.args.Int(order);
  c.args.Int(basis);
  c.args.Int(width);
  if (NdBaselineFit(c.set, d, order, basis, width) != 0)
    c.Show("error");
}

void BeginWeights(CommandLine& c) {
  char mode = 0;
  int divisor = c.set.GetCurrentCount();
  if (!c.args.Char(mode))
    return;
  c.args.Int(divisor);
  c.set.MakeWeights(mode != 's', divisor);
}

void Conjugate(CommandLine& c) {
  c.set.Conjugate();
}

void Exponential(CommandLine& c) {
  double lb = 0;
  if (float* w = Weights(c.set); w && c.args.Float(lb))
    NdWindowExponential(w, c.set.m_nWeightCount, FirstPointOffset(c.set), c.SpectralWidth(), lb);
}

void ApplyWeights(CommandLine& c) {
  c.set.ApplyWeights();
}

void Dimension(CommandLine& c) {
  char query = 0;
  if (c.args.Char(query) && query == '?') {
    // -1 is where the transforms of every dimension leave the set; 0 names
    // no dimension a user knows.
    char text[64];
    if (c.set.m_nCurrentDim == -1)
      std::snprintf(text, sizeof text, "Performing Operations Along all dimensions\n");
    else if (c.set.m_nCurrentDim == 0)
      std::snprintf(text, sizeof text, "Performing Operations Along no dimension\n");
    else
      std::snprintf(text, sizeof text, "Performing Operations Along f%d\n", c.set.m_nCurrentDim);
    c.Show(text);
    return;
  }
  // Not a query: the line is read again for a number. Any number is taken
  // (-1 enables the baseline commands); what acts along the dimension checks it.
  CArgScanner number(c.text);
  int n = 0;
  if (number.Word() && number.Int(n))
    c.set.SetCurrentDimension(n);
}

void FidFilter(CommandLine& c) {
  int selectivity = 8, subtract = 1;
  double ppm = 0, offset = 0;
  c.args.Int(selectivity);
  c.args.Float(ppm);
  c.args.Int(subtract);
  if (c.args.Count() >= 3 && c.set.IsValidDimension(c.set.m_nLastDim)) {
    const DimensionBlock& b = c.set.m_dims[c.set.m_nLastDim];
    offset = ppm * b.m_fSpectrometerFreq - (b.m_fSpectralWidth / 2.0 + b.m_fLastFrequency);
  }
  NdFidFilter(c.set, selectivity, offset, subtract != 0);
}

void FirstPoint(CommandLine& c) {
  double factor = 0.5;
  c.args.Float(factor);
  if (float* w = Weights(c.set))
    NdWindowFirstPoint(w, c.set.m_nWeightCount, factor);
}

void Transform(CommandLine& c) {
  char a = 0, b = 0;
  c.args.Char(a);
  c.args.Char(b);
  bool inverse = false, real = false;
  // With two options the second is looked at first.
  auto option = [&](char o) {
    inverse |= o == 'i';
    real |= o == 'r';
  };
  if (c.args.Count() >= 3)
    option(b);
  if (c.args.Count() >= 2)
    option(a);
  NdTransformStep(c.set, inverse, real);
}

void Gaussian(CommandLine& c) {
  double gb = 0;
  if (float* w = Weights(c.set); w && c.args.Float(gb))
    NdWindowGaussian(w, c.set.m_nWeightCount, FirstPointOffset(c.set), c.SpectralWidth(), gb);
}

void Hilbert(CommandLine& c) {
  NdHilbertStep(c.set);
}

void Predict(CommandLine& c) {
  int first = 0, last = 0, points = 8, coefficients = 4;
  c.args.Int(first);
  c.args.Int(last);
  c.args.Int(points);
  c.args.Int(coefficients);
  NdPredictStep(c.set, first, last, points, coefficients);
}

void ToPolar(CommandLine& c) {
  c.set.ToPolar();
}

void FromPolar(CommandLine& c) {
  c.set.FromPolar();
}

void MakeComplex(CommandLine& c) {
  c.set.MakeComplex();
}

void MakeReal(CommandLine& c) {
  c.set.MakeReal();
}

void Phase(CommandLine& c) {
  double zero = 0, first = 0;
  c.args.Float(zero);
  c.args.Float(first);
  if (zero == 0 && first == 0)
    return;
  const int along = c.set.m_phasingOrder[0] ? c.set.m_phasingOrder[0] : c.set.m_nCurrentDim;
  NdPhaseStep(c.set, along, zero * kDegToRad, first * kDegToRad);
}

void Quadrature(CommandLine& c) {
  char star = 0;
  c.args.Char(star);
  c.set.QuadratureSplit(star == '*');
  c.set.ResetZoom();
}

void SineBell(CommandLine& c, bool squared) {
  double shift = 0;
  c.args.Float(shift);
  if (float* w = Weights(c.set))
    NdWindowSineBell(w, c.set.m_nWeightCount, FirstPointOffset(c.set), shift, squared);
}
void SineBell(CommandLine& c) {
  SineBell(c, false);
}
void SquaredSineBell(CommandLine& c) {
  SineBell(c, true);
}

void Swap(CommandLine& c) {
  int d = -1;
  c.args.Int(d);
  if (d == -1) {
    char text[64];
    const BYTE* o = c.set.m_phasingOrder;
    std::snprintf(text, sizeof text, "Phasing Vector order: \n%d %d %d %d", o[0], o[1], o[2], o[3]);
    c.Show(text);
  } else if (d == 0) {
    for (BYTE& o : c.set.m_phasingOrder)
      o = 0;
  } else {
    c.set.SwapQuadrature(d, c.set.GetTotalPoints());
  }
}

void Symmetrize(CommandLine& c) {
  c.set.TransposeOrSymmetrize(false);
}

void Transpose(CommandLine& c) {
  c.set.TransposeOrSymmetrize(true);
}

void ZeroFill(CommandLine& c) {
  int size = 0;
  if (c.args.Int(size))
    c.set.ZeroFill(size);
}

// The commands by their first two letters; the rest of the word is not
// looked at. A command that needs complex data ends the run on a real set.
struct Command {
  char name[3];
  void (*pfnRun)(CommandLine& c);
  bool bNeedsComplex;
};

const Command kCommands[] = {
    {"bc", &BaselineCorrect, false},  // [dimension order basis width]: baseline fit
    {"bw", &BeginWeights, false},     // mode [divisor]: weights 1 / divisor, alternating unless mode s
    {"c*", &Conjugate, false},        // conjugates
    {"em", &Exponential, false},      // lb: exponential window on the weights
    {"ew", &ApplyWeights, false},     // applies the weights
    {"f=", &Dimension, false},        // ? | n: shows or sets the current dimension
    {"fi", &FidFilter, false},        // [selectivity ppm subtract]: FID filter along the last dimension
    {"fp", &FirstPoint, false},       // [factor]: scales the first weight
    {"ft", &Transform, false},        // [i] [r]: inverse, real-sequence transform
    {"ga", &Gaussian, false},         // gb: Gaussian window on the weights
    {"hi", &Hilbert, false},          // Hilbert transform
    {"lp", &Predict, false},          // [first last points coefficients]: linear prediction
    {"ma", &ToPolar, true},           // to polar form
    {"mc", &MakeComplex, false},      // makes the set complex
    {"mr", &MakeReal, false},         // makes the set real
    {"ph", &Phase, false},            // [zero first]: phase correction in degrees
    {"qd", &Quadrature, false},       // [*]: quadrature split, the second half kept with *
    {"s2", &SquaredSineBell, false},  // [shift]: squared sine bell on the weights, shift in degrees
    {"sb", &SineBell, false},         // [shift]: sine bell on the weights
    {"sw", &Swap, false},             // [n]: shows (none) or clears (0) the phasing order, or swaps
    {"sy", &Symmetrize, false},       // symmetrizes
    {"ts", &Transpose, false},        // transposes
    {"um", &FromPolar, true},         // back from polar form
    {"ze", &ZeroFill, false},         // size: zero filling of the current dimension
};

}  // namespace

void CCommandInterpreter::Execute(CSpectrum2D& set, LPCSTR text) {
  if (!text)
    return;
  std::string lower(text);
  for (char& c : lower)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::size_t start = 0;
  while (start < lower.size()) {
    std::size_t end = lower.find('\n', start);
    if (end == std::string::npos)
      end = lower.size();
    const std::string line = lower.substr(start, end - start);
    if (!line.empty() && !RunLine(set, line.c_str()))
      return;
    start = end + 1;
  }
}

bool CCommandInterpreter::RunLine(CSpectrum2D& set, const char* line) {
  const char* p = line;
  while (*p == ' ' || *p == '\t')
    ++p;
  if (!p[0] || !p[1])
    return true;
  for (const Command& command : kCommands) {
    if (command.name[0] != p[0] || command.name[1] != p[1])
      continue;
    if (command.bNeedsComplex && set.m_bReal)
      return false;
    CArgScanner args(line);
    args.Word();
    CommandLine c{set, args, line, m_pSink};
    command.pfnRun(c);
    return true;
  }
  return true;
}
