// Automatic phase correction of a real spectrum: the 13C TopSpin FID of
// tests/data (32,768 stored values), zero filled to 131,072 floats and
// transformed, searched by the former implementation (every point scanned
// at every simplex evaluation) and by today's, in the same run; both find
// the same phases. The ratio is printed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/bench_host.h"
#include "bench/bench_times.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/processing/AutoPhase.h"
#include "onedim/processing/FourierTransformStep.h"
#include "tests/onedim/processing/legacy_autophase.h"

namespace {

const char kFid[] = BRIVANE_SOURCE_DIR "/tests/data/bruker-gaba-13c/13C/fid";
const int kFloats = 131072;

// The transformed spectrum's points; empty when the import fails.
std::vector<float> Spectrum() {
  CBenchHost host;
  host.m_app.m_nImportType = 0;
  CBrivaneProDoc doc(&host);
  if (doc.ImportFile(kFid) == importFailed)
    return {};
  doc.RefreshAfterAdd();
  CFourierTransformOptions options;
  BOOL bAll = FALSE, bAutophase = FALSE;
  doc.InitFourierTransform(options, bAll, bAutophase);
  options.nPoints = kFloats;
  doc.FourierTransform(options, FALSE, FALSE);
  const CSpectrum& s = *doc.GetCurrentSpectrum();
  return std::vector<float>(s.m_pData, s.m_pData + s.m_paramsA.td);
}

const std::vector<float>& Points() {
  static const std::vector<float> points = Spectrum();
  return points;
}

void BM_Autophase(benchmark::State& state) {
  const std::vector<float>& points = Points();
  if (points.size() != (size_t)kFloats) {
    state.SkipWithError("the spectrum could not be made");
    return;
  }
  std::vector<float> work(points.size());
  for (auto _ : state) {
    std::memcpy(work.data(), points.data(), points.size() * sizeof(float));
    benchmark::DoNotOptimize(autophase(kFloats / 2, work.data()));
  }
}

void BM_AutophaseFormer(benchmark::State& state) {
  const std::vector<float>& points = Points();
  if (points.size() != (size_t)kFloats) {
    state.SkipWithError("the spectrum could not be made");
    return;
  }
  std::vector<float> work(points.size());
  float phases[2];
  for (auto _ : state) {
    std::memcpy(work.data(), points.data(), points.size() * sizeof(float));
    legacy_autophase::Autophase(kFloats / 2, work.data(), phases);
    benchmark::DoNotOptimize(phases);
  }
}

BENCHMARK(BM_Autophase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutophaseFormer)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimesReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nAutophase of %d floats: %.2fx faster than the former search\n", kFloats,
              reporter.Ratio("BM_AutophaseFormer", "BM_Autophase"));
  benchmark::Shutdown();
  return 0;
}
