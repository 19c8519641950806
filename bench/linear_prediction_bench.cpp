// Linear prediction at the defaults of the 1D dialog (double the FID: M =
// td/32, 32 above 256; basis n - M - 1; forward from n to 2n - 1) and of
// the 2D command ("lp" with 8 basis points and 4 coefficients over eight
// interleaved columns).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "numerics/LinearPrediction.h"

namespace {

// Two lines and a little noise, so that the solver runs to its full order as
// on measured data (an exact sum of two lines would stop it at order 2).
std::vector<float> Fid(int points, int stride) {
  std::mt19937 gen(points);
  std::normal_distribution<float> noise(0.0f, 1e-3f);
  std::vector<float> d(2 * static_cast<size_t>(points) * stride, 0.0f);
  for (int t = 0; t < stride; ++t)
    for (int k = 0; k < points / 2; ++k) {
      const double a = std::exp(-0.002 * k);
      const size_t f = 2 * (t + static_cast<size_t>(k) * stride);
      d[f] = static_cast<float>(a * (std::cos(0.3 * k) + 0.5 * std::cos(-1.1 * k + t))) + noise(gen);
      d[f + 1] = static_cast<float>(a * (std::sin(0.3 * k) + 0.5 * std::sin(-1.1 * k + t))) + noise(gen);
    }
  return d;
}

void BM_Predict1D(benchmark::State& state) {
  const int td = static_cast<int>(state.range(0));
  const int n = td / 2;
  int m = td / 32;
  if (m > 256)
    m = 32;
  const int basis = n - m - 1;
  std::vector<float> data = Fid(2 * n, 1);
  const std::vector<float> input = data;
  std::vector<char> work(lp_workspace(basis, m, 1));
  CLinearPrediction lp;
  for (auto _ : state) {
    std::memcpy(data.data(), input.data(), sizeof(float) * input.size());
    benchmark::DoNotOptimize(lp.Predict(data.data(), 2 * n, 1, basis, m, 1, n, 2 * n - 1, 0, work.data(), work.size()));
  }
  state.counters["coefficients"] = m;
  state.counters["basis"] = basis;
}
BENCHMARK(BM_Predict1D)->Arg(2048)->Arg(8192)->Arg(16384)->Arg(65536)->Unit(benchmark::kMicrosecond);

void BM_Predict2DColumns(benchmark::State& state) {
  const int points = static_cast<int>(state.range(0));  // along the predicted dimension
  const int traces = 8, basis = 8, m = 4;
  std::vector<float> data = Fid(points, traces);
  std::vector<char> work(lp_workspace(basis, m, traces));
  CLinearPrediction lp;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        lp.Predict(data.data(), points, traces, basis, m, traces, points / 2, points - 1, 0, work.data(), work.size()));
  }
}
BENCHMARK(BM_Predict2DColumns)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
