// The whole road of a user's first look at a 256K-point FID (262,144 floats,
// Bruker's TD): File > Open of a Bruker experiment, Process > Apodize
// (exponential, OK), Process > Fourier Transform with Autophase Correction,
// and the drawing of the trace in a 1280-pixel view and its 1280-pixel full
// view. The experiment is the aspirin's acquisition parameters with a
// longer FID of decaying lines and noise, written once into a temporary
// folder.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_host.h"
#include "onedim/document/ApodizeSession.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/WindowFunction.h"
#include "onedim/plot/SpectrumTrace.h"
#include "onedim/processing/FourierTransformStep.h"

namespace {

const int kFloats = 262144;
const char kAcqus[] = BRIVANE_SOURCE_DIR "/tests/data/bruker-aspirin-1h/1/acqus";

// The experiment folder's fid path, or "" when it cannot be written.
std::string WriteExperiment() {
  const char* pszTmp = std::getenv("TMPDIR");
  const std::string dir = std::string(pszTmp != nullptr ? pszTmp : "/tmp") + "/brivane_road_bench";
  std::system(("mkdir -p '" + dir + "'").c_str());
  std::ifstream in(kAcqus);
  std::ostringstream acqus;
  for (std::string line; std::getline(in, line);)
    acqus << (line.rfind("##$TD=", 0) == 0 ? "##$TD= " + std::to_string(kFloats) : line) << "\n";
  if (!in.eof())
    return "";
  std::ofstream(dir + "/acqus") << acqus.str();

  // Twelve lines across the window, decaying over a few seconds of the
  // 27 s acquisition, then noise; big-endian 32-bit integers (BYTORDA 1).
  std::mt19937 gen(262144);
  std::normal_distribution<double> noise(0.0, 200.0);
  std::vector<unsigned char> bytes(4 * (size_t)kFloats);
  const double dwell = 1.0 / 4789.27203065134;
  for (int k = 0; k < kFloats / 2; k++) {
    double re = 0.0, im = 0.0;
    for (int l = 0; l < 12; l++) {
      const double f = -2100.0 + 350.0 * l + 7.3 * l * l;
      const double a = 1e6 * (1 + l % 4) * std::exp(-k * dwell / (0.4 + 0.15 * l));
      re += a * std::cos(2 * 3.141592653589793 * f * k * dwell);
      im += a * std::sin(2 * 3.141592653589793 * f * k * dwell);
    }
    const long v[2] = {std::lround(re + noise(gen)), std::lround(im + noise(gen))};
    for (int c = 0; c < 2; c++)
      for (int b = 0; b < 4; b++)
        bytes[8 * (size_t)k + 4 * c + b] = (unsigned char)((unsigned long)v[c] >> (24 - 8 * b));
  }
  std::ofstream fid(dir + "/fid", std::ios::binary);
  fid.write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
  return fid ? dir + "/fid" : "";
}

const std::string& Experiment() {
  static const std::string path = WriteExperiment();
  return path;
}

// Process > Apodize with the exponential window and OK, as the command and
// its dialog run it.
void Apodize(CBrivaneProDoc& doc) {
  CSpectrum& s = *doc.GetCurrentSpectrum();
  doc.PrepareApodize();
  CApodizeSession session(&doc);
  session.KeepWeightedCopies();
  s.m_pWindow->Apply();
  session.KeepData();
  session.StoreParameters(CWindowFunction::Exponential, 1.0f, 1.0f, 0.0f, 0.0f, FALSE);
  session.Apply(FALSE, FALSE);  // the change of LB
  session.Apply(FALSE, FALSE);  // OK applies once more
  session.Accept();
  doc.FinishApodize(s.m_pWindow->m_Colour);
}

size_t Draw(const CSpectrum& spectrum) {
  CSpectrum s(spectrum.m_paramsA);
  s.m_pData = spectrum.m_pData;
  s.m_fMaxValue = spectrum.m_fMaxValue;
  s.m_nFirst = spectrum.m_nFirst;
  s.m_nLast = spectrum.m_nLast;
  s.m_nLeftPixel = 0;
  s.m_nRightPixel = 1280;
  s.m_rectPlot = {0, 0, 1280, 800};
  TraceDevice screen;
  screen.nVertRes = 1024;
  const size_t n = BuildColumnTrace(s.m_pData, MakeTraceMapping(s, screen, true)).size() +
                   BuildColumnTrace(s.m_pData, MakeTraceMapping(s, screen, true)).size();
  s.m_pData = nullptr;  // the document's buffer
  return n;
}

void BM_OpenApodizeTransformDraw(benchmark::State& state) {
  const std::string fid = Experiment();
  if (fid.empty()) {
    state.SkipWithError("the experiment cannot be written");
    return;
  }
  size_t nSegments = 0;
  int nFloats = 0;
  bool bTransformed = false;
  for (auto _ : state) {
    CBenchHost host;
    host.m_app.m_nImportType = 0;
    CBrivaneProDoc doc(&host);
    if (doc.ImportFile(fid.c_str()) == importFailed || doc.GetCurrentSpectrum() == nullptr) {
      state.SkipWithError("import failed");
      return;
    }
    doc.RefreshAfterAdd();
    Apodize(doc);
    CFourierTransformOptions options;
    BOOL bAll = FALSE, bAutophase = TRUE;
    doc.InitFourierTransform(options, bAll, bAutophase);
    doc.FourierTransform(options, FALSE, TRUE);
    nSegments = Draw(*doc.GetCurrentSpectrum());
    nFloats = doc.GetCurrentSpectrum()->m_paramsA.td;
    bTransformed = doc.GetCurrentSpectrum()->m_bTransformed != 0;
  }
  if (!bTransformed)
    state.SkipWithError("not transformed");
  state.counters["segments"] = (double)nSegments;
  state.counters["floats"] = nFloats;
}
BENCHMARK(BM_OpenApodizeTransformDraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
