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

constexpr int Code(char a, char b) {
  return (static_cast<unsigned char>(a) << 8) | static_cast<unsigned char>(b);
}

// The weights of the current dimension for a window command, or null.
float* Weights(CSpectrum2D& set) {
  return set.HasWeights() ? set.m_pWeights : nullptr;
}

int FirstPointOffset(const CSpectrum2D& set) {
  return SaturatingInt(set.m_dims[set.m_nCurrentDim].m_fFirstPoint);
}

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

void CCommandInterpreter::Show(LPCSTR text) {
  if (m_pSink)
    m_pSink->ShowMessage(text);
}

bool CCommandInterpreter::RunLine(CSpectrum2D& set, const char* line) {
  const char* p = line;
  while (*p == ' ' || *p == '\t')
    ++p;
  if (!p[0] || !p[1])
    return true;
  const int dim = set.m_nCurrentDim;
  CArgScanner args(line);
  args.Word();

  switch (Code(p[0], p[1])) {
    case Code('b', 'c'): {
      int d = set.m_nLastDim, order = 5, basis = 0, width = 2;
      args.Int(d);
      args.Int(order);
      args.Int(basis);
      args.Int(width);
      if (NdBaselineFit(set, d, order, basis, width) != 0)
        Show("error");
      break;
    }
    case Code('b', 'w'): {
      char mode = 0;
      int divisor = set.GetCurrentCount();
      if (!args.Char(mode))
        break;
      args.Int(divisor);
      set.MakeWeights(mode != 's', divisor);
      break;
    }
    case Code('c', '*'):
      set.Conjugate();
      break;
    case Code('e', 'm'): {
      double lb = 0;
      if (float* w = Weights(set); w && args.Float(lb))
        NdWindowExponential(w, set.m_nWeightCount, FirstPointOffset(set), set.m_dims[dim].m_fSpectralWidth, lb);
      break;
    }
    case Code('e', 'w'):
      set.ApplyWeights();
      break;
    case Code('f', '='): {
      char c = 0;
      if (args.Char(c) && c == '?') {
        char text[64];
        std::snprintf(text, sizeof text, "Performing Operations Along f%d\n", set.m_nCurrentDim);
        Show(text);
        break;
      }
      CArgScanner number(line);
      int n = 0;
      if (number.Word() && number.Int(n) && set.IsValidDimension(n))
        set.SetCurrentDimension(n);
      break;
    }
    case Code('f', 'i'): {
      int selectivity = 8, subtract = 1;
      double ppm = 0, offset = 0;
      args.Int(selectivity);
      args.Float(ppm);
      args.Int(subtract);
      if (args.Count() >= 3 && set.IsValidDimension(set.m_nLastDim)) {
        const DimensionBlock& b = set.m_dims[set.m_nLastDim];
        offset = ppm * b.m_fSpectrometerFreq - (b.m_fSpectralWidth / 2.0 + b.m_fLastFrequency);
      }
      NdFidFilter(set, selectivity, offset, subtract != 0);
      break;
    }
    case Code('f', 'p'): {
      double factor = 0.5;
      args.Float(factor);
      if (float* w = Weights(set))
        NdWindowFirstPoint(w, set.m_nWeightCount, factor);
      break;
    }
    case Code('f', 't'): {
      char a = 0, b = 0;
      args.Char(a);
      args.Char(b);
      bool inverse = false, real = false;
      auto option = [&](char c) {
        inverse |= c == 'i';
        real |= c == 'r';
      };
      if (args.Count() >= 3)
        option(b);
      if (args.Count() >= 2)
        option(a);
      NdTransformStep(set, inverse, real);
      break;
    }
    case Code('g', 'a'): {
      double gb = 0;
      if (float* w = Weights(set); w && args.Float(gb))
        NdWindowGaussian(w, set.m_nWeightCount, FirstPointOffset(set), set.m_dims[dim].m_fSpectralWidth, gb);
      break;
    }
    case Code('h', 'i'):
      NdHilbertStep(set);
      break;
    case Code('l', 'p'): {
      int first = 0, last = 0, points = 8, coefficients = 4;
      args.Int(first);
      args.Int(last);
      args.Int(points);
      args.Int(coefficients);
      NdPredictStep(set, first, last, points, coefficients);
      break;
    }
    case Code('m', 'a'):
      if (set.m_bReal)
        return false;
      set.ToPolar();
      break;
    case Code('m', 'c'):
      set.MakeComplex();
      break;
    case Code('m', 'r'):
      set.MakeReal();
      break;
    case Code('p', 'h'): {
      double zero = 0, first = 0;
      args.Float(zero);
      args.Float(first);
      if (zero == 0 && first == 0)
        break;
      const int along = set.m_phasingOrder[0] ? set.m_phasingOrder[0] : dim;
      NdPhaseStep(set, along, zero * kDegToRad, first * kDegToRad);
      break;
    }
    case Code('q', 'd'): {
      char c = 0;
      args.Char(c);
      set.QuadratureSplit(c == '*');
      set.ResetZoom();
      break;
    }
    case Code('s', '2'):
    case Code('s', 'b'): {
      double shift = 0;
      args.Float(shift);
      if (float* w = Weights(set))
        NdWindowSineBell(w, set.m_nWeightCount, FirstPointOffset(set), shift, p[1] == '2');
      break;
    }
    case Code('s', 'w'): {
      int d = -1;
      args.Int(d);
      if (d == -1) {
        char text[64];
        const BYTE* o = set.m_phasingOrder;
        std::snprintf(text, sizeof text, "Phasing Vector order: \n%d %d %d %d", o[0], o[1], o[2], o[3]);
        Show(text);
      } else if (d == 0) {
        for (BYTE& o : set.m_phasingOrder)
          o = 0;
      } else {
        set.SwapQuadrature(d, set.GetTotalPoints());
      }
      break;
    }
    case Code('s', 'y'):
      set.TransposeOrSymmetrize(false);
      break;
    case Code('t', 's'):
      set.TransposeOrSymmetrize(true);
      break;
    case Code('u', 'm'):
      if (set.m_bReal)
        return false;
      set.FromPolar();
      break;
    case Code('z', 'e'): {
      int size = 0;
      if (args.Int(size))
        set.ZeroFill(size);
      break;
    }
    default:
      break;
  }
  return true;
}
