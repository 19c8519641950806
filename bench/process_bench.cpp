// A chemist's first steps on a real 64K-value FID: import, exponential
// weighting and Fourier transform, through the document's commands. The
// second benchmark times the same steps through spectrum_probe as a
// program; set BRIVANE_PROBE to the probe to run (for example
// "scripts/wine-run.sh build/windows64/tests/spectrum_probe.exe" for the
// Wine build).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/bench_host.h"
#include "onedim/document/ApodizeSession.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/WindowFunction.h"
#include "onedim/processing/FourierTransformStep.h"

namespace {

const char kFid[] = BRIVANE_SOURCE_DIR "/tests/data/varian-proton.fid/fid";

// Import and exponential weighting of the FID; false when the import fails.
bool ImportEm(CBrivaneProDoc& doc) {
  if (doc.ImportFile(kFid) == importFailed)
    return false;
  doc.RefreshAfterAdd();
  CApodizeSession session(&doc);
  session.KeepWeightedCopies();
  session.KeepData();
  session.StoreParameters(CWindowFunction::Exponential, 0.3f, 1.0f, 0.0f, 0.0f, TRUE);
  session.Apply(TRUE, FALSE);
  session.Accept();
  return true;
}

void Transform(CBrivaneProDoc& doc) {
  CFourierTransformOptions options;
  BOOL bAll = FALSE, bAutophase = FALSE;
  doc.InitFourierTransform(options, bAll, bAutophase);
  doc.FourierTransform(options, FALSE, FALSE);
}

// Import, weighting and transform on a new document per iteration; the
// transform alone is timed when bTimeImport is false.
void RunImportEmFt(benchmark::State& state, bool bTimeImport) {
  for (auto _ : state) {
    if (!bTimeImport)
      state.PauseTiming();
    CBenchHost host;
    host.m_app.m_nImportType = 3;
    CBrivaneProDoc doc(&host);
    if (!ImportEm(doc)) {
      state.SkipWithError("import failed");
      return;
    }
    if (!bTimeImport)
      state.ResumeTiming();
    Transform(doc);
    benchmark::DoNotOptimize(doc.GetCurrentSpectrum()->m_pData[0]);
  }
}

void BM_ImportEmFt(benchmark::State& state) {
  RunImportEmFt(state, true);
}
BENCHMARK(BM_ImportEmFt)->Unit(benchmark::kMillisecond);

// The transform alone and Autophase Correction alone on the same spectrum,
// to be read side by side.
void BM_Ft(benchmark::State& state) {
  RunImportEmFt(state, false);
}
BENCHMARK(BM_Ft)->Unit(benchmark::kMillisecond);

void BM_Autophase(benchmark::State& state) {
  CBenchHost host;
  host.m_app.m_nImportType = 3;
  CBrivaneProDoc doc(&host);
  if (!ImportEm(doc)) {
    state.SkipWithError("import failed");
    return;
  }
  Transform(doc);
  CSpectrum& s = *doc.GetCurrentSpectrum();
  state.SetLabel(std::to_string(s.m_paramsA.td) + " floats");
  for (auto _ : state) {
    doc.AutoPhaseSpectrum(s);
    benchmark::DoNotOptimize(s.m_pData[0]);
  }
}
BENCHMARK(BM_Autophase)->Unit(benchmark::kMillisecond);

void BM_ProbeImportEmFt(benchmark::State& state) {
  const char* pszProbe = std::getenv("BRIVANE_PROBE");
  if (pszProbe == nullptr) {
    state.SkipWithError("BRIVANE_PROBE is not set");
    return;
  }
  const std::string command =
      std::string(pszProbe) + " process 3 \"" + kFid + "\" /dev/null em=0.3 ft > /dev/null 2>&1";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("the probe failed");
      return;
    }
}
BENCHMARK(BM_ProbeImportEmFt)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
