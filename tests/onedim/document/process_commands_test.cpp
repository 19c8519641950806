// The Process commands of the document on made-up and real data: what they
// refuse, what they leave behind, and what Cancel of the Window Functions
// dialog puts back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <complex>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "numerics/Constants.h"
#include "onedim/document/ApodizeSession.h"
#include "onedim/model/Integral.h"
#include "onedim/model/WindowFunction.h"
#include "onedim/processing/FourierTransformStep.h"
#include "onedim/processing/WindowFunctionStep.h"
#include "tests/onedim/document/document_test_host.h"
#include "tests/tools/run_tool.h"

namespace {

std::vector<float> Data(const CSpectrum* s) {
  return std::vector<float>(s->m_pData, s->m_pData + s->m_paramsA.td);
}

std::vector<std::string> History(CTestHost& host) {
  std::vector<std::string> lines;
  for (POSITION pos = host.m_app.m_History.GetHeadPosition(); pos != nullptr;)
    lines.push_back((LPCSTR)host.m_app.m_History.GetNext(pos));
  return lines;
}

// A decaying complex line, as an FID would hold it.
float Fid(int i) {
  const int k = i / 2;
  const double a = std::exp(-k / 300.0) * 1000.0;
  return (float)(i % 2 == 0 ? a * std::cos(0.3 * k) : a * std::sin(0.3 * k));
}

bool g_bFailAllocations = false;

TEST(ProcessCommands, ZeroFillingRefusesAndLeavesTheSpectrum) {
  struct Case {
    int nPoints;
    bool bNoMemory;
    const char* pszMessageStart;
  };
  // An odd size would split a complex pair; no size leaves no point.
  for (const Case& c : {Case{4097, false, "The number of points must be even and at least 2"},
                        Case{1, false, "The number of points"}, Case{0, false, "The number of points"},
                        Case{-2, false, "The number of points"}, Case{1 << 26, true, "Memory exhausted"}}) {
    CTestHost host;
    CBrivaneProDoc doc(&host);
    CSpectrum* s = AddTestSpectrum(doc, 4096, Fid);
    doc.RefreshAfterAdd();
    const std::vector<float> before = Data(s);
    g_bFailAllocations = c.bNoMemory;
    CSpectrum::AllocationHook old = CSpectrum::SetAllocationHook([](std::size_t) { return !g_bFailAllocations; });
    EXPECT_FALSE(doc.ZeroFilling(c.nPoints)) << c.nPoints;
    CSpectrum::SetAllocationHook(old);
    g_bFailAllocations = false;
    EXPECT_EQ(4096, s->m_paramsA.td);
    EXPECT_EQ(before, Data(s));
    ASSERT_EQ(1u, host.m_messages.size());
    EXPECT_EQ(0u, host.m_messages[0].find(c.pszMessageStart)) << host.m_messages[0];
    EXPECT_TRUE(History(host).empty() || History(host).back() != "Zero Filling");
  }

  CTestHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* s = AddTestSpectrum(doc, 4096, Fid);
  doc.RefreshAfterAdd();
  ASSERT_TRUE(doc.ZeroFilling(8192));
  EXPECT_EQ(8192, s->m_paramsA.td);
  EXPECT_EQ(0.0f, s->m_pData[8191]);
  EXPECT_EQ(s->m_pRawData, s->m_pWindow->m_pSource);
  EXPECT_EQ(8192, host.m_nScrollMax);
  EXPECT_EQ(8192, host.m_nScrollPage);
  EXPECT_EQ("Zero Filling", History(host).back());
}

TEST(ProcessCommands, ZeroFillingToFewerPointsCutsTheData) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* s = AddTestSpectrum(doc, 4096, Fid);
  doc.RefreshAfterAdd();
  // An integral reaching past the new end reads nothing beyond it.
  CIntegral* pIntegral = new CIntegral(s, 1800, 3000, 50, 0);
  s->m_arrIntegrals.Add(pIntegral);
  const std::vector<float> before = Data(s);
  ASSERT_TRUE(doc.ZeroFilling(2000));
  EXPECT_EQ(std::vector<float>(before.begin(), before.begin() + 2000), Data(s));
  EXPECT_EQ(s->m_pWeighted, s->m_pWindow->m_pTarget);
  EXPECT_EQ(2000, host.m_nScrollMax);
  EXPECT_EQ("Zero Filling", History(host).back());
  double dLargest = 0, dSmallest = 0;
  pIntegral->SumRange(dLargest, dSmallest);
  EXPECT_TRUE(std::isfinite(pIntegral->MaxValue()));
}

TEST(ProcessCommands, FourierTransformResizesFlagsAndLaysOut) {
  // A size that is no power of two is cut to the one below; a file type
  // other than Bruker's marks the spectrum for conjugation. The layout goes
  // by the view the spectrum was last drawn in, or by the document's view
  // (800 x 600) before any drawing.
  for (int nType : {0, 3}) {
    CTestHost host;
    host.m_app.m_nImportType = nType;
    CBrivaneProDoc doc(&host);
    CSpectrum* s = AddTestSpectrum(doc, 3000, Fid);
    s->m_paramsA.aqmode = 1;
    doc.RefreshAfterAdd();
    if (nType == 0)
      s->m_Scale.m_rectClient = RECT{0, 0, 800, 600};
    s->m_fIntensityStep = 2.0f;
    CFourierTransformOptions options;
    BOOL bAll = TRUE, bAutophase = FALSE;
    doc.InitFourierTransform(options, bAll, bAutophase);
    EXPECT_FALSE(bAll);
    EXPECT_TRUE(options.bDriftCorrection);
    ASSERT_TRUE(doc.FourierTransform(options, FALSE, FALSE));
    EXPECT_EQ(2048, s->m_paramsA.td);
    EXPECT_EQ(nType == 0 ? 0 : 1, s->m_paramsA.bConjugate);
    EXPECT_EQ(1, s->m_bTransformed);
    EXPECT_EQ(AXIS_UNITS_PPM, s->m_Scale.m_nUnits);
    EXPECT_EQ(1, host.m_nUnitsEntry);
    EXPECT_EQ(564, s->m_rectPlot.top);
    EXPECT_EQ(554, s->m_rectPlot.bottom);
    EXPECT_FLOAT_EQ(240.0f, s->m_fVerticalScale);
    EXPECT_EQ(std::vector<std::string>{"Fourier Transform"}, History(host));
    EXPECT_TRUE(host.m_bModified);
  }
}

TEST(ProcessCommands, FourierTransformOfAllAndBack) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* a = AddTestSpectrum(doc, 1024, Fid);
  CSpectrum* b = AddTestSpectrum(doc, 1024, [](int i) { return Fid(i) * 0.5f; });
  doc.RefreshAfterAdd();
  const std::vector<float> fid = Data(b);
  CFourierTransformOptions options;
  BOOL bAll = FALSE, bAutophase = FALSE;
  doc.InitFourierTransform(options, bAll, bAutophase);
  options.bDriftCorrection = FALSE;
  ASSERT_TRUE(doc.FourierTransform(options, TRUE, FALSE));
  EXPECT_EQ(1, a->m_bTransformed);
  EXPECT_EQ(1, b->m_bTransformed);
  EXPECT_EQ(3u, History(host).size());  // one line, and one per spectrum
  EXPECT_TRUE(host.m_app.m_bFtApplyToAll);

  // The inverse the dialog offers undoes it up to a factor N/2 and the
  // constant that halving the spectrum's first point leaves.
  doc.InitFourierTransform(options, bAll, bAutophase);
  EXPECT_TRUE(options.bInverse);
  EXPECT_TRUE(bAll);
  ASSERT_TRUE(doc.FourierTransform(options, FALSE, FALSE));
  EXPECT_EQ(0, b->m_bTransformed);
  EXPECT_EQ(1, a->m_bTransformed) << "only the current spectrum";
  for (int i = 4; i < 1020; i += 37)
    EXPECT_NEAR((fid[i] - fid[i + 2]) * 512.0f, b->m_pData[i] - b->m_pData[i + 2], 1.0f) << i;
}

// The real FIDs zero-filled twofold through the Fourier Transform command
// with the dialog's other first choices (autophase aside), the drift
// correction on or off, and a receiver offset (re, im) added to every
// acquired point first.
std::vector<float> TransformRealFid(const std::string& fid, float fOffsetRe, float fOffsetIm, BOOL bDrift) {
  CTestHost host;
  host.m_app.m_nImportType = 0;
  CBrivaneProDoc doc(&host);
  EXPECT_NE(importFailed, doc.ImportFile(fid.c_str()));
  doc.RefreshAfterAdd();
  CSpectrum* s = doc.GetCurrentSpectrum();
  if (s == nullptr)
    return {};
  const int td = s->m_paramsA.td;
  for (int i = 0; i < td; i += 2) {
    s->m_pData[i] += fOffsetRe;
    s->m_pData[i + 1] += fOffsetIm;
  }
  CFourierTransformOptions options;
  BOOL bAll = FALSE, bAutophase = FALSE;
  doc.InitFourierTransform(options, bAll, bAutophase);
  EXPECT_TRUE(options.bDriftCorrection);
  options.nPoints = 2 * td;
  options.bDriftCorrection = bDrift;
  EXPECT_TRUE(doc.FourierTransform(options, FALSE, FALSE));
  return Data(s);
}

double Magnitude(const std::vector<float>& s, int i) {
  return std::hypot((double)s[(size_t)i], (double)s[(size_t)i + 1]);
}

// The spread of the real part over the spectrum's first sixteenth, where
// these spectra hold baseline only.
double EdgeNoise(const std::vector<float>& s) {
  const size_t n = s.size() / 32;
  double sum = 0.0, sum2 = 0.0;
  for (size_t k = 0; k < n; k++) {
    sum += s[2 * k];
    sum2 += (double)s[2 * k] * s[2 * k];
  }
  return std::sqrt(sum2 / n - (sum / n) * (sum / n));
}

// Drift correction on the real FIDs zero-filled twofold: the point at the
// carrier (the middle) is no longer cut to 0 but keeps about the value the
// transform without correction gives it (the tail's offset moves it a
// little), and a receiver offset added to the FID, whose spike there would
// stand out of the whole spectrum, is taken off again.
TEST(ProcessCommands, DriftCorrectionOfRealFidsKeepsTheCarrierPointAndTakesAnOffsetOff) {
  for (const char* name : {"/bruker-aspirin-1h/1/fid", "/bruker-gaba-13c/13C/fid"}) {
    const std::string fid = std::string(BRIVANE_REALDATA_DIR) + name;
    const std::vector<float> plain = TransformRealFid(fid, 0.0f, 0.0f, FALSE);
    const std::vector<float> corrected = TransformRealFid(fid, 0.0f, 0.0f, TRUE);
    ASSERT_FALSE(plain.empty()) << name;
    ASSERT_EQ(plain.size(), corrected.size());
    const int centre = (int)plain.size() / 2;
    const double noise = EdgeNoise(plain);
    double largest = 0.0;
    for (size_t i = 0; i < plain.size(); i += 2)
      largest = std::max(largest, Magnitude(plain, (int)i));
    EXPECT_NEAR(Magnitude(corrected, centre), Magnitude(plain, centre), 0.25 * Magnitude(plain, centre) + 3.0 * noise)
        << name << ": a notch at the carrier";

    // An offset as tall as the strongest line once transformed.
    const int nAcquired = (int)plain.size() / 4;
    const float offset = (float)(largest / nAcquired);
    const std::vector<float> shifted = TransformRealFid(fid, offset, -0.5f * offset, FALSE);
    const std::vector<float> taken = TransformRealFid(fid, offset, -0.5f * offset, TRUE);
    const double spike = std::hypot((double)shifted[(size_t)centre] - plain[(size_t)centre],
                                    (double)shifted[(size_t)centre + 1] - plain[(size_t)centre + 1]);
    EXPECT_GT(spike, largest) << name;
    double worst = 0.0;
    for (size_t i = 0; i < plain.size(); i++)
      worst = std::max(worst, std::fabs((double)taken[i] - corrected[i]));
    EXPECT_LT(worst, 0.1 * spike) << name;
  }
}

// A line whose FID starts at phase 2 comes out upside down and dispersive;
// autophase after the transform turns it upright about point 0, whatever
// phases the spectrum carried before.
TEST(ProcessCommands, AutophaseAfterAForwardTransformTurnsTheLineUpright) {
  double lowest[2] = {0.0, 0.0};
  for (BOOL bAutophase : {FALSE, TRUE}) {
    CTestHost host;
    CBrivaneProDoc doc(&host);
    CSpectrum* s = AddTestSpectrum(doc, 2048, [](int i) {
      const int k = i / 2;
      const double a = std::exp(-k / 40.0) * 1000.0, phase = 0.3 * k + 2.0;
      return (float)(i % 2 == 0 ? a * std::cos(phase) : a * std::sin(phase));
    });
    s->m_nPivot = 64;
    s->m_dPhase0 = 1.0;  // phases of an earlier spectrum are not taken off the new one
    s->m_dPhase1 = 0.5;
    doc.RefreshAfterAdd();
    CFourierTransformOptions options;
    BOOL bAll = FALSE, bUnused = FALSE;
    doc.InitFourierTransform(options, bAll, bUnused);
    ASSERT_TRUE(doc.FourierTransform(options, FALSE, bAutophase));
    float fMin = 0.0f, fMax = 0.0f;
    for (int i = 0; i < s->m_paramsA.td; i += 2) {
      fMin = std::min(fMin, s->m_pData[i]);
      fMax = std::max(fMax, std::fabs(s->m_pData[i]));
    }
    lowest[bAutophase] = fMin / fMax;
    if (bAutophase) {
      EXPECT_EQ(0, s->m_nPivot);
      EXPECT_NE(0.0, s->m_dPhase0);
    }
  }
  EXPECT_LT(lowest[0], -0.5);
  EXPECT_GT(lowest[1], -0.35);
}

TEST(ProcessCommands, MagnitudeAndPowerToggleBack) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* s = AddTestSpectrum(doc, 512, Fid);
  const std::vector<float> before = Data(s);
  doc.ToggleMagnitude();
  EXPECT_EQ(1, s->m_State.m_bMagnitude);
  EXPECT_NEAR(std::hypot(before[20], before[21]), s->m_pData[20], 1e-2);
  doc.ToggleMagnitude();
  doc.TogglePower();
  doc.TogglePower();
  EXPECT_EQ(0, s->m_State.m_bMagnitude);
  EXPECT_EQ(0, s->m_State.m_bPower);
  for (int i = 0; i < 512; i++)
    EXPECT_NEAR(before[i], s->m_pData[i], 1e-3f * 1000.0f) << i;
  EXPECT_EQ((std::vector<std::string>{"Magnitude", "Inverse Magnitude", "Power Spectrum", "Inverse Power Spectrum"}),
            History(host));
}

TEST(ProcessCommands, ApodizeCancelRestoresEverySpectrumThatIsLeft) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* a = AddTestSpectrum(doc, 256, Fid);
  CSpectrum* b = AddTestSpectrum(doc, 256, Fid);
  CSpectrum* c = AddTestSpectrum(doc, 256, Fid);
  doc.RefreshAfterAdd();
  for (CSpectrum* s : {a, b, c})
    for (int i = 0; i < 256; i++)
      s->m_pWeighted[i] = (float)i;
  a->m_dPhase0 = 0.25;
  const std::vector<float> data = Data(a);

  CApodizeSession session(&doc);
  doc.PrepareApodize();
  session.KeepWeightedCopies();
  session.KeepData();
  EXPECT_EQ(0.0, a->m_dPhase0);
  session.StoreParameters(CWindowFunction::Exponential, 5.0f, 1.0f, 0.0f, 0.0f, TRUE);
  ASSERT_TRUE(session.Apply(TRUE, FALSE));
  ASSERT_TRUE(session.Apply(TRUE, TRUE));  // interactive: transformed as well
  EXPECT_NE(data, Data(a));

  // Meanwhile one spectrum went and another was resized.
  doc.RemoveSpectrum(b);
  ASSERT_TRUE(c->ZeroFill(512));
  const std::vector<float> resized = Data(c);
  session.Cancel();
  EXPECT_EQ(data, Data(a));
  EXPECT_EQ(0.25, a->m_dPhase0);
  EXPECT_EQ(255.0f, a->m_pWeighted[255]);
  EXPECT_EQ(resized, Data(c));
}

TEST(ProcessCommands, ApodizeOkKeepsTheDataAndTheRunsChoices) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* s = AddTestSpectrum(doc, 256, Fid);
  doc.RefreshAfterAdd();
  s->m_pWindow->m_Colour = 0x00FF00;
  doc.PrepareApodize();
  EXPECT_EQ(0.0f, s->m_pWindow->m_LB);
  EXPECT_EQ(45.0f, s->m_pWindow->m_SineShift);
  CApodizeSession session(&doc);
  session.KeepWeightedCopies();
  session.KeepData();
  session.StoreParameters(CWindowFunction::Exponential, 3.0f, 1.0f, 0.0f, 10.0f, FALSE);
  ASSERT_TRUE(session.Apply(FALSE, FALSE));
  const std::vector<float> weighted = Data(s);
  session.Accept();
  doc.FinishApodize(0x0000FF);
  EXPECT_EQ(weighted, Data(s));
  EXPECT_EQ(0.0f, s->m_pWeighted[7]) << "the weighted copy is back as it was";
  EXPECT_EQ(0x0000FFu, host.m_app.m_crApodizeCurve);
  EXPECT_EQ(3.0f, host.m_app.m_fApodizeLB);
  EXPECT_EQ("Apodization", History(host).back());
}

TEST(ProcessCommands, HighPassFilterRemovesTheNullPoint) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  // A constant at the centre frequency, and a line 1000 Hz away.
  CSpectrum* s = AddTestSpectrum(doc, 2048, [](int i) {
    const int k = i / 2;
    const double phase = 2 * 3.141592653589793 * 1000.0 * k / 5000.0;
    return (float)(i % 2 == 0 ? 100.0 + std::cos(phase) : 50.0 + std::sin(phase));
  });
  ASSERT_TRUE(doc.FilterFid(32, 0.0));
  for (int k = 40; k < 980; k += 31) {
    const double phase = 2 * 3.141592653589793 * 1000.0 * k / 5000.0;
    EXPECT_NEAR(std::cos(phase), s->m_pData[2 * k], 0.05) << k;
    EXPECT_NEAR(std::sin(phase), s->m_pData[2 * k + 1], 0.05) << k;
  }

  CSpectrum* small = AddTestSpectrum(doc, 20, Fid);
  const std::vector<float> before = Data(small);
  EXPECT_FALSE(doc.FilterFid(8, 0.0)) << "too few points for the kernel";
  EXPECT_EQ(before, Data(small));
}

// Every step that writes the data is drawn to the data's new largest value,
// whatever the views found before it: the scale is what OnDraw, the lens,
// the tools and the peak list read.
TEST(ProcessCommands, EveryStepThatWritesTheDataIsDrawnToItsNewLargestValue) {
  const struct {
    const char* pszStep;
    void (*pfnRun)(CBrivaneProDoc& doc, CSpectrum& s);
  } steps[] = {
      {"Fourier Transform",
       [](CBrivaneProDoc& doc, CSpectrum&) {
         CFourierTransformOptions options;
         BOOL bAll = FALSE, bAutophase = FALSE;
         doc.InitFourierTransform(options, bAll, bAutophase);
         doc.FourierTransform(options, FALSE, FALSE);
       }},
      {"Autophase",
       [](CBrivaneProDoc& doc, CSpectrum& s) {
         doc.AutoPhaseSpectrum(s);
       }},
      {"Phase dialog",
       [](CBrivaneProDoc&, CSpectrum& s) {
         s.SetPhase(1.0f, 0.0f);
       }},
      {"Magnitude",
       [](CBrivaneProDoc& doc, CSpectrum&) {
         doc.ToggleMagnitude();
       }},
      {"Power",
       [](CBrivaneProDoc& doc, CSpectrum&) {
         doc.TogglePower();
       }},
      {"Two-point baseline",
       [](CBrivaneProDoc& doc, CSpectrum&) {
         doc.TwoPointBaseline();
       }},
      {"Manual polynomial baseline",
       [](CBrivaneProDoc& doc, CSpectrum&) {
         const double c[5] = {-40, 0, 0, 0, 0};
         doc.SubtractPolynomialBaseline(c);
       }},
      {"High Pass Filter",
       [](CBrivaneProDoc& doc, CSpectrum&) {
         doc.FilterFid(32, 50.0);
       }},
      {"Apodize",
       [](CBrivaneProDoc&, CSpectrum& s) {
         s.m_pWindow->SetParameters(CWindowFunction::Exponential, 20.0f, 1.0f, 0.0f, 0.0f);
         ApplyWindowToSpectrum(s, FALSE, 0.0f, 0.0f);
       }},
      {"Sum Data",
       [](CBrivaneProDoc& doc, CSpectrum&) {
         doc.CopyData();
         doc.SumData(2.0f);
       }},
      {"Byte Swap",
       [](CBrivaneProDoc& doc, CSpectrum&) {
         doc.ByteSwapSpectrum();
       }},
      {"FID shift",
       [](CBrivaneProDoc&, CSpectrum& s) {
         s.ShiftPoints(s.m_pRawData, 200);
       }},
      {"Soft thresholding",
       [](CBrivaneProDoc& doc, CSpectrum& s) {
         doc.SoftThresholding(5, s.m_paramsA.td, 290);
       }},
  };
  for (const auto& step : steps) {
    CTestHost host;
    CBrivaneProDoc doc(&host);
    // Out of phase, so that its first point is not its largest.
    CSpectrum* s = AddTestSpectrum(doc, 2048, [](int i) { return Fid(i + 2) - Fid(i); });
    doc.RefreshAfterAdd();
    const float fBefore = s->GetLargestValue();  // drawn once before the step
    ASSERT_EQ(0, s->m_bDataChanged) << step.pszStep;
    step.pfnRun(doc, *s);
    float fLargest = 0.0f;
    for (int i = 0; i < s->m_paramsA.td; i += 2)
      fLargest = std::max(fLargest, std::fabs(s->m_pData[i]));
    EXPECT_NE(fBefore, fLargest) << step.pszStep << ": the step must change the largest value";
    EXPECT_EQ(fLargest, s->GetLargestValue()) << step.pszStep;
    EXPECT_EQ(0, s->m_bDataChanged) << step.pszStep;
  }
}

std::map<std::string, double> ProcsValues(const std::string& path) {
  std::map<std::string, double> values;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line))
    if (line.compare(0, 3, "##$") == 0 && line.find('=') != std::string::npos)
      values[line.substr(3, line.find('=') - 3)] = std::atof(line.c_str() + line.find('=') + 1);
  return values;
}

// The axis of the transformed real experiment meets the vendor's processed
// one at both ends to within one point.
TEST(ProcessCommands, ProbeTransformsTheRealExperimentOntoTheVendorsAxis) {
  const std::string dir = ::testing::TempDir();
  const std::string real = std::string(BRIVANE_REALDATA_DIR) + "/bruker-aspirin-1h/1/";
  ASSERT_EQ(0, RunTool(SPECTRUM_PROBE_PATH, "process 0 \"" + real + "fid\" \"" + dir + "ft.txt\" em=0.3 ft",
                       dir + "ft_out.txt"));
  std::map<std::string, double> procs = ProcsValues(real + "pdata/1/procs");
  const double ppmSpan = procs["SW_p"] / procs["SF"];
  std::ifstream in(dir + "ft.txt");
  std::vector<double> axis;
  std::string line;
  while (std::getline(in, line))
    axis.push_back(std::atof(line.c_str()));
  ASSERT_EQ(8192u, axis.size());
  const double step = ppmSpan / axis.size();
  EXPECT_NEAR(procs["OFFSET"], axis.front(), step);
  EXPECT_NEAR(procs["OFFSET"] - ppmSpan * (procs["SI"] - 1) / procs["SI"], axis.back(), step);

  // The methyl singlet near 2.3 ppm is the strongest line.
  in.clear();
  in.seekg(0);
  double best = 0.0, bestPpm = 0.0;
  while (std::getline(in, line)) {
    double x = 0, re = 0, im = 0;
    std::sscanf(line.c_str(), "%lf %lf %lf", &x, &re, &im);
    if (std::hypot(re, im) > best)
      best = std::hypot(re, im), bestPpm = x;
  }
  EXPECT_NEAR(2.29, bestPpm, 0.05);
}

struct ProbePoint {
  double x, re, im;
};

std::vector<ProbePoint> ReadPoints(const std::string& path) {
  std::vector<ProbePoint> points;
  std::ifstream in(path);
  ProbePoint p;
  while (in >> p.x >> p.re >> p.im)
    points.push_back(p);
  return points;
}

std::vector<double> ReadVendorWords(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<double> words;
  unsigned char b[4];
  while (in.read(reinterpret_cast<char*>(b), 4))
    words.push_back((double)(int32_t)(b[0] | b[1] << 8 | b[2] << 16 | (uint32_t)b[3] << 24));
  return words;
}

// The image of the strongest line k at the mirror position: its line shape
// fitted to the magnitudes there, over their local median (the noise).
double MirrorImage(const std::vector<ProbePoint>& s, int k) {
  const int n = (int)s.size(), w = 10;
  auto mag = [&](int i) {
    return std::hypot(s[(size_t)i].re, s[(size_t)i].im);
  };
  double dImage = 0.0;
  for (int m = n - 1 - k - 3; m <= n - 1 - k + 3; m++) {
    std::vector<double> around;
    for (int d = -300; d <= 300; d++)
      if (std::abs(d) > 20)
        around.push_back(mag(m + d));
    std::nth_element(around.begin(), around.begin() + (long)around.size() / 2, around.end());
    const double dMedian = around[around.size() / 2];
    double num = 0.0, den = 0.0;
    for (int d = -w; d <= w; d++) {
      num += (mag(m - d) - dMedian) * mag(k + d);
      den += mag(k + d) * mag(k + d);
    }
    dImage = std::max(dImage, num / den);
  }
  return dImage;
}

// Orthonormal polynomials of degree 0 to nDegree over n points; projecting a
// vector off them removes its mean and its slow baseline.
std::vector<std::vector<double>> PolynomialBasis(size_t n, int nDegree) {
  std::vector<std::vector<double>> basis;
  for (int d = 0; d <= nDegree; d++) {
    std::vector<double> v(n);
    for (size_t i = 0; i < n; i++)
      v[i] = std::pow(2.0 * (double)i / (double)(n - 1) - 1.0, d);
    for (const std::vector<double>& u : basis) {
      double dot = 0.0;
      for (size_t i = 0; i < n; i++)
        dot += u[i] * v[i];
      for (size_t i = 0; i < n; i++)
        v[i] -= dot * u[i];
    }
    double norm = 0.0;
    for (double x : v)
      norm += x * x;
    for (double& x : v)
      x /= std::sqrt(norm);
    basis.push_back(std::move(v));
  }
  return basis;
}

void ProjectOff(std::vector<double>& v, const std::vector<std::vector<double>>& basis) {
  for (const std::vector<double>& u : basis) {
    double dot = 0.0;
    for (size_t i = 0; i < v.size(); i++)
      dot += u[i] * v[i];
    for (size_t i = 0; i < v.size(); i++)
      v[i] -= dot * u[i];
  }
}

// The correlation of the real part with the vendor's at the best zero order
// for a first order of p1 degrees over the spectrum, both taken off the
// basis (at least the mean; r is the vendor's, already off it): the real part at any zero order is a
// combination of a and b below, and the best combination's correlation is
// the multiple correlation.
double PhasedCorrelation(const std::vector<ProbePoint>& s, const std::vector<double>& r, double p1,
                         const std::vector<std::vector<double>>& basis) {
  const size_t n = s.size();
  const std::complex<double> step = std::polar(1.0, p1 * kPi / 180.0 / (double)n);
  std::complex<double> turn(1.0, 0.0);
  std::vector<double> a(n), b(n);
  for (size_t i = 0; i < n; i++, turn *= step) {
    const std::complex<double> z = std::complex<double>(s[i].re, s[i].im) * turn;
    a[i] = z.real(), b[i] = z.imag();
  }
  ProjectOff(a, basis);
  ProjectOff(b, basis);
  double caa = 0, cbb = 0, cab = 0, car = 0, cbr = 0, crr = 0;
  for (size_t i = 0; i < n; i++)
    caa += a[i] * a[i], cbb += b[i] * b[i], cab += a[i] * b[i], car += a[i] * r[i], cbr += b[i] * r[i],
        crr += r[i] * r[i];
  const double det = caa * cbb - cab * cab;
  const double alpha = (cbb * car - cab * cbr) / det, beta = (caa * cbr - cab * car) / det;
  return std::sqrt(std::max(0.0, (alpha * car + beta * cbr) / crr));
}

// The first order (degrees, searched over four turns either way) that best
// matches the vendor's spectrum, and the correlation there.
std::pair<double, double> BestPhasedCorrelation(const std::vector<ProbePoint>& s, const std::vector<double>& vendor,
                                                int nBaselineDegree) {
  const std::vector<std::vector<double>> basis = PolynomialBasis(s.size(), nBaselineDegree);
  std::vector<double> r(vendor);
  ProjectOff(r, basis);
  std::pair<double, double> best(-1.0, 0.0);
  for (double p1 = -1440.0; p1 <= 1440.0; p1 += 8.0)
    best = std::max(best, std::make_pair(PhasedCorrelation(s, r, p1, basis), p1));
  const double coarse = best.second;
  for (double p1 = coarse - 8.0; p1 <= coarse + 8.0; p1 += 0.5)
    best = std::max(best, std::make_pair(PhasedCorrelation(s, r, p1, basis), p1));
  return best;
}

// The TopSpin 13C FID with the vendor's processing (1 Hz exponential, 32768
// points): no mirror image of its strongest line, which lies where the
// vendor's is, and a spectrum that matches the vendor's with a first-order
// phase of less than two turns.
TEST(ProcessCommands, ProbeTransformsATopSpinFidAsTheVendorDoes) {
  const std::string dir = ::testing::TempDir();
  const std::string real = std::string(BRIVANE_REALDATA_DIR) + "/bruker-gaba-13c/13C/";
  ASSERT_EQ(0,
            RunTool(SPECTRUM_PROBE_PATH, "process 0 \"" + real + "fid\" \"" + dir + "topspin_ft.txt\" em=1 zf=65536 ft",
                    dir + "topspin_out.txt"));
  const std::vector<ProbePoint> s = ReadPoints(dir + "topspin_ft.txt");
  const std::vector<double> vendor = ReadVendorWords(real + "pdata/1/1r");
  ASSERT_EQ(32768u, s.size());
  ASSERT_EQ(s.size(), vendor.size());
  int k = 0, v = 0;
  for (int i = 0; i < (int)s.size(); i++) {
    if (std::hypot(s[i].re, s[i].im) > std::hypot(s[k].re, s[k].im))
      k = i;
    if (vendor[i] > vendor[v])
      v = i;
  }
  EXPECT_NEAR(v, k, 1);
  EXPECT_LT(MirrorImage(s, k), 0.01);

  const std::pair<double, double> match = BestPhasedCorrelation(s, vendor, 0);
  EXPECT_LT(std::fabs(match.second), 720.0);
  // The vendor's 1r had its baseline taken off (procs: ABSG 5, a polynomial
  // of degree 5): a roll of about 1 % of the strongest line, all of it in
  // that polynomial, separates the raw transform from it.
  EXPECT_GE(match.first, 0.88) << "p1 " << match.second;
  const std::pair<double, double> flat = BestPhasedCorrelation(s, vendor, 5);
  EXPECT_LT(std::fabs(flat.second), 720.0);
  EXPECT_GE(flat.first, 0.99) << "p1 " << flat.second;
}

// The vendor's processed spectrum through the probe: on ppm, the strongest
// line where procs puts it.
TEST(ProcessCommands, ProbeReadsTheVendorsSpectrumOnItsPpmAxis) {
  const std::string dir = ::testing::TempDir();
  const std::string real = std::string(BRIVANE_REALDATA_DIR) + "/bruker-gaba-13c/13C/";
  ASSERT_EQ(0, RunTool(SPECTRUM_PROBE_PATH, "process 0 \"" + real + "pdata/1/1r\" \"" + dir + "topspin_1r.txt\"",
                       dir + "topspin_1r_out.txt"));
  const std::vector<ProbePoint> s = ReadPoints(dir + "topspin_1r.txt");
  std::map<std::string, double> procs = ProcsValues(real + "pdata/1/procs");
  ASSERT_EQ((size_t)procs["SI"], s.size());
  int k = 0;
  for (int i = 0; i < (int)s.size(); i++)
    if (s[i].re > s[k].re)
      k = i;
  const double step = procs["SW_p"] / procs["SF"] / procs["SI"];
  EXPECT_NEAR(procs["OFFSET"] - k * step, s[(size_t)k].x, step);
  EXPECT_NEAR(procs["OFFSET"], s.front().x, step);

  // The same folder kept without 1i: the same real part on the same axis,
  // and phasing, which would make up an imaginary part, refused.
  const std::string copy = ::testing::TempDir() + "topspin_no_1i/";
  std::filesystem::remove_all(copy);
  std::filesystem::create_directories(copy + "pdata/1");
  for (const char* name : {"acqus", "pdata/1/procs", "pdata/1/1r"})
    std::filesystem::copy_file(real + name, copy + name);
  ASSERT_EQ(0, RunTool(SPECTRUM_PROBE_PATH, "process 0 \"" + copy + "pdata/1/1r\" \"" + dir + "topspin_real.txt\"",
                       dir + "topspin_real_out.txt"));
  const std::vector<ProbePoint> r = ReadPoints(dir + "topspin_real.txt");
  ASSERT_EQ(s.size(), r.size());
  for (size_t i = 0; i < r.size(); i++) {
    ASSERT_EQ(s[i].x, r[i].x) << i;
    ASSERT_EQ(s[i].re, r[i].re) << i;
    ASSERT_EQ(0.0, r[i].im) << i;
  }
  EXPECT_EQ(
      1, RunTool(SPECTRUM_PROBE_PATH, "process 0 \"" + copy + "pdata/1/1r\" \"" + dir + "topspin_real.txt\" autophase",
                 dir + "topspin_real_out.txt"));
  std::ifstream out(dir + "topspin_real_out.txt");
  std::string line;
  std::getline(out, line);
  EXPECT_EQ("error The spectrum has no imaginary part: it cannot be phased", line);
}

TEST(ProcessCommands, ProbeRefusesUnknownStepsAndBadSizes) {
  const std::string dir = ::testing::TempDir();
  const std::string fid = std::string(BRIVANE_REALDATA_DIR) + "/bruker-aspirin-1h/1/fid";
  for (const char* step : {"fft", "zf=101", "zf=0", "zf=x", "gm=1"}) {
    EXPECT_EQ(1, RunTool(SPECTRUM_PROBE_PATH, "process 0 \"" + fid + "\" \"" + dir + "bad.txt\" " + step,
                         dir + "bad_out.txt"))
        << step;
    std::ifstream in(dir + "bad_out.txt");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(std::string::npos, text.str().find("error ")) << step;
  }
}

}  // namespace
