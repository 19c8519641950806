// The window functions on 131,072 floats (a 64K-point FID, 5 kHz wide)
// against the former implementation (the second speed round's: block
// factors in long double for the exponentials, every other weight by its
// own long double sin, cos or exps) and against a peer: the weights as a
// vector library computes them, one double libm call a float, then the
// products (what numpy's vectorised weights amount to; not bit for bit
// ours). The ratios are printed at the end.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_times.h"
#include "numerics/Constants.h"
#include "onedim/model/WindowFunction.h"
#include "tests/onedim/model/pf2_window.h"

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
  pf2_window::Parameters p;
  p.type = type;
  p.lb = Lb(type);
  p.gb = 0.3f;
  p.gaussShift = 0.1f;
  p.sineShift = 30.0f;
  for (auto _ : state) {
    pf2_window::Apply(p, source.data(), kFloats, g_sw, weights, target);
    benchmark::DoNotOptimize(target.data());
  }
  state.SetItemsProcessed(state.iterations() * kFloats);
}

// The peer: w[i] from the closed form in double, then float(s w).
void BM_WindowPeer(benchmark::State& state) {
  const int type = (int)state.range(0);
  const std::vector<float> source = Fid();
  std::vector<float> target(kFloats);
  std::vector<double> w(kFloats);
  const double lb = Lb(type), gb = 0.3, gshift = 0.1, phi = 30.0 * kDegToRad, pi = kPi;
  const double aq = kFloats / (2 * g_sw), ln4 = 4 * std::log(2.0);
  for (auto _ : state) {
    for (int i = 0; i < kFloats; ++i) {
      const double t = i / (2 * g_sw), x = (double)i / kFloats;
      switch (type) {
        case 0: w[i] = std::exp(-lb * pi * t); break;
        case 1: w[i] = std::exp(-std::pow(3.14159 * lb * t - gshift * aq, 2) / ln4); break;
        case 2: w[i] = std::exp(-lb * pi * t + lb * pi * t * t / (2 * gb * aq)); break;
        case 3: {
          const double e = std::exp(-lb * pi * t), r = std::exp(-lb * pi * (aq - t));
          w[i] = e / (r * r + e * e);
          break;
        }
        case 4: w[i] = std::sin(phi + (pi - phi) * x); break;
        case 5: w[i] = std::pow(std::sin(phi + (pi - phi) * x), 2); break;
        case 6: w[i] = 0.54 + 0.46 * std::cos(pi * x); break;
        default: w[i] = 0.5 * (1 + std::cos(pi * x)); break;
      }
    }
    for (int i = 0; i < kFloats; ++i)
      target[i] = (float)(source[i] * w[i]);
    benchmark::DoNotOptimize(target.data());
  }
  state.SetItemsProcessed(state.iterations() * kFloats);
}

BENCHMARK(BM_Window)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WindowPeer)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WindowFormer)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimesReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  static const char* const kNames[] = {"Exponential", "Gaussian",  "Lorentzian/Gaussian", "Traficante",
                                       "Sine bell",   "Sine Squared", "Hamming",          "Hanning"};
  std::printf("\n%d floats: speed-up over the former implementation; time over the peer's\n", kFloats);
  for (int type = 0; type < 8; type++) {
    const std::string arg = "/" + std::to_string(type);
    std::printf("%-20s %6.2f %6.2f\n", kNames[type], reporter.Ratio("BM_WindowFormer" + arg, "BM_Window" + arg),
                reporter.Ratio("BM_Window" + arg, "BM_WindowPeer" + arg));
  }
  benchmark::Shutdown();
  return 0;
}
