// The window functions on 131,072 floats (a 64K-point FID, 5 kHz wide)
// against the former computation of each weight by its own long double
// exp, sin or cos, in the same run; the ratios are printed at the end.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_times.h"
#include "onedim/model/WindowFunction.h"
#include "tests/onedim/model/legacy_window.h"

namespace {

const int kFloats = 131072;
double g_sw = 5000.0;

std::vector<float> Fid() {
  std::vector<float> v(kFloats);
  for (int i = 0; i < kFloats; i++)
    v[i] = (float)(1e5 * std::exp(-i * 2e-5) * std::cos(i * 0.37 + (i & 1) * 1.5707963));
  return v;
}

// LB 1 Hz; the Lorentz-Gauss window with LB -1 and GB 0.3.
float Lb(int type) {
  return type == CWindowFunction::LorentzGauss ? -1.0f : 1.0f;
}

void BM_Window(benchmark::State& state) {
  const int type = (int)state.range(0);
  std::vector<float> source = Fid(), target(kFloats);
  int td = kFloats;
  CWindowFunction window(source.data(), target.data(), &td, &g_sw);
  window.SetParameters(type, Lb(type), 0.3f, 0.1f, 30.0f);
  for (auto _ : state) {
    window.Apply();
    benchmark::DoNotOptimize(target.data());
  }
  state.SetItemsProcessed(state.iterations() * kFloats);
}

void BM_WindowFormer(benchmark::State& state) {
  const int type = (int)state.range(0);
  const std::vector<float> source = Fid();
  std::vector<float> target;
  std::vector<double> weights;
  legacy_window::Parameters p;
  p.type = type;
  p.lb = Lb(type);
  p.gb = 0.3f;
  p.gaussShift = 0.1f;
  p.sineShift = 30.0f;
  for (auto _ : state) {
    legacy_window::Apply(p, source.data(), kFloats, g_sw, weights, target);
    benchmark::DoNotOptimize(target.data());
  }
  state.SetItemsProcessed(state.iterations() * kFloats);
}

BENCHMARK(BM_Window)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WindowFormer)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimesReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  static const char* const kNames[] = {"Exponential", "Gaussian",  "Lorentzian/Gaussian", "Traficante",
                                       "Sine bell",   "Sine Squared", "Hamming",          "Hanning"};
  std::printf("\nSpeed-up over the former weights, %d floats:\n", kFloats);
  for (int type = 0; type < 8; type++) {
    const std::string arg = "/" + std::to_string(type);
    std::printf("%-20s %6.2f\n", kNames[type], reporter.Ratio("BM_WindowFormer" + arg, "BM_Window" + arg));
  }
  benchmark::Shutdown();
  return 0;
}
