// The Fourier Transform dialog's first choices on 2D FIDs of two known peaks,
// one for each of Bruker's f1 modes (FnMODE), its sequential f2, and VnmrJ's
// f1 modes, written in the
// vendor's layout and read by its reader: pressing OK along f2 and then
// along f1 must put each peak at its (f1, f2) ppm, the stronger one first.
//
// The conventions the data are made with, and where they come from:
// - Bruker f2: complex points exp(+i 2 pi nu t), nu the offset from the
//   carrier towards higher ppm: a forward transform (exponent +i here) shows
//   it as TopSpin does. The vendor's 2rr of tests/data/bruker-t1-2d has its
//   lines there, and nmrglue's Bruker example transforms with exponent -i
//   and then reverses the spectrum (github.com/jjhelmus/nmrglue/wiki/
//   Processing-1D-Bruker-Data).
// - Bruker f1, by FnMODE (TopSpin acquisition reference: 1 QF, 2 QSEQ,
//   3 TPPI, 4 States, 5 States-TPPI, 6 echo-antiecho; MC2 of proc2s is
//   FnMODE - 1):
//   QF: one row per increment, echo (N-type) selected, so turning against
//     f2: exp(-i 2 pi nu1 t1). SpectroChemPy's QF transform of f1 conjugates
//     where its f2 transform does not (spectrochempy-nmr, processing/
//     fft_encodings.py), and a TopSpin COSY needs f1 conjugated here.
//   States: rows cos(2 pi nu1 t1) and sin(2 pi nu1 t1), turning as f2 does:
//     SpectroChemPy transforms them as f2, NMRPipe's FT with no -neg
//     (www.nmrscience.com/ref/nmrpipe/ft.html).
//   States-TPPI: States with every other increment negated
//     (acornnmr.com/nutshelp/bruker_statestppi_processing).
//   TPPI: one real row per half increment, the phase stepped a quarter turn
//     a row as States steps it for its sine row: cos(2 pi nu1 t - n pi / 2).
//   QSEQ: as TPPI stepped the other way round, cos(2 pi nu1 t + n pi / 2):
//     NMRPipe's QSEQ transform is TPPI's with alternate points negated
//     (FT -bruk = -real -alt).
//   Echo-antiecho: echo exp(-i 2 pi nu1 t1) then antiecho, inverted by the
//     half turn F1EA gives its phase: -exp(+i 2 pi nu1 t1); nmrglue's
//     Rance-Kay shuffle for Bruker data (process/nmrtxt/rance_kay.py) makes
//     the pair cos, sin of them.
// - VnmrJ: every pair turns the other way round (its 1D spectra are the
//   transforms of the conjugates, and NMRPipe's var2pipe conjugates what it
//   reads): f2 exp(-i 2 pi nu2 t2); phase = 1,2 gives rows cos and -sin;
//   gradient-selected rows without a phase array turn against f2.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ndim/document/NdDialogCommands.h"
#include "ndim/import/NdBrukerReader.h"
#include "ndim/import/NdVarianReader.h"
#include "ndim/plot/NdAxisTicks.h"
#include "tests/ndim/import/nd_import_test_util.h"

namespace {

using Complex = std::complex<double>;
const double kPi = 3.14159265358979323846;

struct Peak {
  double f1, f2;  // ppm
  double amplitude;
};
const Peak kPeaks[] = {{98.5, 9.0, 1.0}, {93.0, 7.2, 0.6}};

// f2: 128 complex points over 2000 Hz at 500 MHz, its first point at
// 10 ppm; f1: 32 complex increments over 1000 Hz at 125 MHz from 100 ppm.
const int kPoints2 = 128, kIncrements = 32;
const double kSw2 = 2000.0, kSf2 = 500.0, kOffset2 = 10.0;
const double kSw1 = 1000.0, kSf1 = 125.0, kOffset1 = 100.0;
const double kDecay = 0.05;  // s

// Offsets from each carrier (the middle of the width), Hz.
double Nu2(const Peak& p) {
  return (p.f2 - (kOffset2 - kSw2 / 2 / kSf2)) * kSf2;
}
double Nu1(const Peak& p) {
  return (p.f1 - (kOffset1 - kSw1 / 2 / kSf1)) * kSf1;
}

// A row's f1 factor for a peak: the sample of f1 time that multiplies the
// peak's f2 signal.
using F1Factor = std::function<Complex(int row, const Peak&)>;

// The rows of an experiment: each is the sum over the peaks of the f1
// factor times the f2 signal, turning with `sense` (+1 Bruker, -1 VnmrJ).
// Sequential f2 (Bruker's AQ_mod qseq) samples its real values at half the
// dwell time, stepped a quarter turn each, the other way round from
// TPPI's (NMRPipe FT -bruk), and stores them in pairs as complex points.
std::vector<std::vector<Complex>> Rows(int rows, const F1Factor& factor, int sense, bool sequential2 = false) {
  std::vector<std::vector<Complex>> out(static_cast<std::size_t>(rows), std::vector<Complex>(kPoints2));
  for (int r = 0; r < rows; ++r)
    for (const Peak& p : kPeaks) {
      const Complex f = factor(r, p) * p.amplitude * 1.0e6;
      auto at = [&](double t) {
        return f * std::exp(Complex(-t / kDecay, sense * 2 * kPi * Nu2(p) * t));
      };
      for (int k = 0; k < kPoints2; ++k) {
        if (!sequential2) {
          out[r][k] += at(k / kSw2);
          continue;
        }
        double pair[2];
        for (int n = 2 * k; n < 2 * k + 2; ++n)
          pair[n - 2 * k] = (at(n / (2 * kSw2)) * std::exp(Complex(0, n * kPi / 2))).real();
        out[r][k] += Complex(pair[0], pair[1]);
      }
    }
  return out;
}

// f1 time of increment j, and of the n-th real row of a sequential mode.
double T1(int j) {
  return j / kSw1;
}
double Decay1(double t) {
  return std::exp(-t / kDecay);
}

// The rows of Bruker's FnMODE, f2 sequential or not.
std::vector<std::vector<Complex>> BrukerRows(int fnMode, bool sequential2) {
  const auto turning = [](int sign) {
    return [sign](int j, const Peak& p) {
      return Decay1(T1(j)) * std::exp(Complex(0, sign * 2 * kPi * Nu1(p) * T1(j)));
    };
  };
  const auto pairs = [](bool tppi) {
    return [tppi](int r, const Peak& p) {
      const int j = r / 2;
      const double a = 2 * kPi * Nu1(p) * T1(j), negate = tppi && j % 2 ? -1.0 : 1.0;
      return Complex(negate * Decay1(T1(j)) * (r % 2 ? std::sin(a) : std::cos(a)), 0);
    };
  };
  const auto sequential = [](int step) {
    return [step](int n, const Peak& p) {
      const double t = n / (2 * kSw1);
      return Complex(Decay1(t) * std::cos(2 * kPi * Nu1(p) * t + step * n * kPi / 2), 0);
    };
  };
  const auto echoAntiecho = [turning](int r, const Peak& p) {
    return r % 2 ? -turning(+1)(r / 2, p) : turning(-1)(r / 2, p);
  };
  switch (fnMode) {
    case 1:
      return Rows(kIncrements, turning(-1), +1, sequential2);
    case 2:
      return Rows(2 * kIncrements, sequential(+1), +1, sequential2);
    case 3:
      return Rows(2 * kIncrements, sequential(-1), +1, sequential2);
    case 4:
      return Rows(2 * kIncrements, pairs(false), +1, sequential2);
    case 5:
      return Rows(2 * kIncrements, pairs(true), +1, sequential2);
    default:
      return Rows(2 * kIncrements, echoAntiecho, +1, sequential2);
  }
}

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", v);
  return text;
}

// A TopSpin 3 experiment: acqus of digital quadrature (AQ_mod 3) or
// sequential (2) without a filter, acqu2s with FnMODE and no AQ_mod, proc2s
// with MC2.
std::string WriteBruker(const NdFolder& folder, int fnMode, int aqMod) {
  const std::vector<std::vector<Complex>> rows = BrukerRows(fnMode, aqMod == 2);
  folder.Write("1/acqus", "##$AQ_mod= " + std::to_string(aqMod) +
                              "\n##$BYTORDA= 0\n##$DECIM= 1\n##$DSPFVS= 20\n##$SFO1= " + Number(kSf2) +
                              "\n##$SW_h= " + Number(kSw2) + "\n##$TD= " + std::to_string(2 * kPoints2) + "\n");
  folder.Write("1/acqu2s", "##$FnMODE= " + std::to_string(fnMode) + "\n##$SFO1= " + Number(kSf1) +
                               "\n##$SW_h= " + Number(kSw1) + "\n##$TD= " + std::to_string(rows.size()) + "\n");
  folder.Write("1/pdata/1/proc", "##$MC2= 0\n##$OFFSET= " + Number(kOffset2) + "\n");
  folder.Write("1/pdata/1/proc2s", "##$MC2= " + std::to_string(fnMode - 1) + "\n##$OFFSET= " + Number(kOffset1) + "\n");
  folder.Write("1/pdata/1/procs", "##$OFFSET= " + Number(kOffset2) + "\n");
  std::string ser;
  for (const std::vector<Complex>& row : rows)
    for (const Complex& z : row)
      for (double v : {z.real(), z.imag()})
        ser += IntBytes(static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(v))), 4, false);
  folder.Write("1/ser", ser);
  return folder.Path("1/ser");
}

// A VnmrJ experiment: 32-bit float blocks, phase = 1,2 arrayed (ni below
// arraydim) or not. Its axis: the right edge rfp - rfl from 0 ppm.
std::string WriteVarian(const NdFolder& folder, bool phaseArrayed) {
  const auto states = [](int r, const Peak& p) {
    const double a = 2 * kPi * Nu1(p) * T1(r / 2);
    return Complex(Decay1(T1(r / 2)) * (r % 2 ? -std::sin(a) : std::cos(a)), 0);
  };
  const auto gradient = [](int j, const Peak& p) {
    return Decay1(T1(j)) * std::exp(Complex(0, 2 * kPi * Nu1(p) * T1(j)));
  };
  const std::vector<std::vector<Complex>> rows =
      phaseArrayed ? Rows(2 * kIncrements, states, -1) : Rows(kIncrements, gradient, -1);
  const auto record = [](const std::string& name, double value) {
    return name + " 1 1 1e9 -1e9 0 2 1 0 1 64\n1 " + Number(value) + "\n0\n";
  };
  const double rfl2 = kSw2 / 2 - (kOffset2 - kSw2 / 2 / kSf2) * kSf2;
  const double rfl1 = kSw1 / 2 - (kOffset1 - kSw1 / 2 / kSf1) * kSf1;
  folder.Write("exp.fid/procpar", record("sfrq", kSf2) + record("dfrq", kSf1) + record("sw", kSw2) +
                                      record("sw1", kSw1) + record("rfl", rfl2) + record("rfp", 0) +
                                      record("rfl1", rfl1) + record("rfp1", 0) +
                                      record("arraydim", static_cast<double>(rows.size())) + record("ni", kIncrements));
  std::string fid = IntBytes(static_cast<std::uint32_t>(rows.size()), 4, true) + std::string(4, '\0') +
                    IntBytes(2 * kPoints2, 4, true) + IntBytes(4, 4, true) + std::string(10, '\0') +
                    IntBytes(0x0008, 2, true) + std::string(4, '\0');
  for (const std::vector<Complex>& row : rows) {
    fid += std::string(28, '\0');
    for (const Complex& z : row)
      fid += FloatBytes(static_cast<float>(z.real()), true) + FloatBytes(static_cast<float>(z.imag()), true);
  }
  folder.Write("exp.fid/fid", fid);
  return folder.Path("exp.fid/fid");
}

struct Found {
  int row = -1, column = -1;
};

// The largest modulus of the shown half (the first f1 x f2 points), away
// from the points already found.
Found Largest(const CSpectrum2D& set, const std::vector<Found>& taken) {
  const int rows = set.m_dims[1].m_nPoints, points = set.m_dims[2].m_nPoints;
  Found best;
  double most = -1;
  for (int r = 0; r < rows; ++r)
    for (int k = 0; k < points; ++k) {
      bool near = false;
      for (const Found& f : taken)
        near = near || (std::abs(f.row - r) <= 3 && std::abs(f.column - k) <= 6);
      const float* p = set.m_pData + 2 * (static_cast<std::size_t>(r) * points + k);
      const double m = std::hypot(p[0], p[1]);
      if (!near && m > most) {
        most = m;
        best = {r, k};
      }
    }
  return best;
}

// Each peak found, strongest first, within two points of its ppm in both
// dimensions; the second peak well above what the transform leaves at the
// mirror image of the first.
void ExpectPeaksInPlace(const CSpectrum2D& set, const std::string& what) {
  ASSERT_FALSE(set.m_bReal) << what;
  const DimensionBlock &f1 = set.m_dims[1], &f2 = set.m_dims[2];
  const double point1 = f1.m_fSpectralWidth / f1.m_fSpectrometerFreq / f1.m_nPoints;
  const double point2 = f2.m_fSpectralWidth / f2.m_fSpectrometerFreq / f2.m_nPoints;
  std::vector<Found> taken;
  for (const Peak& p : kPeaks) {
    const Found f = Largest(set, taken);
    taken.push_back(f);
    EXPECT_NEAR(p.f1, NdAxisValue(f1, f.row, ND_UNITS_PPM), 2 * point1) << what << ": f1 of the peak " << p.f1;
    EXPECT_NEAR(p.f2, NdAxisValue(f2, f.column, ND_UNITS_PPM), 2 * point2) << what << ": f2 of the peak " << p.f2;
  }
}

}  // namespace

TEST(NdFourierPresets, EachModesPeaksLandWhereTheVendorPutsThem) {
  const std::vector<std::string> forward = {"bw q 128", "ew", "ze 128", "ft "};
  const std::vector<std::string> conjugated = {"c*", "bw q 128", "ew", "ze 128", "ft "};
  const std::vector<std::string> sequential = {"c*", "bw s 128", "ew", "ze 128", "ft r"};
  const std::vector<std::string> states = {"qd *", "bw q 64", "ew", "ze 64", "ft "};
  const struct {
    const char* name;
    int fnMode;  // 0 for VnmrJ
    int aqMod;   // Bruker's f2, or VnmrJ's f1 arrayed by phase (1) or not (0)
    std::vector<std::string> f2Lines, f1Lines;
  } cases[] = {
      // Pairs of rows and real rows: the size is the rows' (64), "qd" halves them.
      {"Bruker QF", 1, 3, forward, {"c*", "bw q 32", "ew", "ze 32", "ft ", "ma"}},
      {"Bruker QSEQ", 2, 3, forward, {"qd *", "c*", "bw s 64", "ew", "ze 64", "ft r"}},
      {"Bruker TPPI", 3, 3, forward, {"qd *", "bw s 64", "ew", "ze 64", "ft r"}},
      {"Bruker States", 4, 3, forward, states},
      {"Bruker States-TPPI", 5, 3, forward, {"qd *", "bw s 64", "ew", "ze 64", "ft "}},
      {"Bruker echo-antiecho", 6, 3, forward, states},
      {"Bruker States, sequential f2", 4, 2, sequential, states},
      {"VnmrJ phase = 1,2", 0, 1, conjugated, {"qd *", "c*", "bw q 64", "ew", "ze 64", "ft "}},
      {"VnmrJ gradient selected", 0, 0, conjugated, {"c*", "bw q 32", "ew", "ze 32", "ft ", "ma"}},
  };
  for (const auto& c : cases) {
    NdFolder folder;
    NdImport read = c.fnMode > 0 ? RunReader(ReadBruker, WriteBruker(folder, c.fnMode, c.aqMod))
                                 : RunReader(ReadVarian, WriteVarian(folder, c.aqMod == 1));
    ASSERT_TRUE(read.set) << c.name << ": " << read.error;
    EXPECT_TRUE(read.shown.empty()) << c.name;
    std::vector<std::string> expected = c.f2Lines;
    expected.insert(expected.end(), c.f1Lines.begin(), c.f1Lines.end());
    EXPECT_EQ(expected, TransformWithFirstChoices(*read.set)) << c.name;
    ExpectPeaksInPlace(*read.set, c.name);
  }
}
