// The in-place transform against FFTW (single precision, in place, the same
// sign), for 8K to 1M floats in complex and in real mode. Each iteration
// copies the input back first, in both, so that values stay finite; the
// ratio of the two times is printed at the end.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "onedim/processing/FastFourier.h"

namespace {

std::vector<float> Input(int nFloats) {
  std::mt19937 gen(nFloats);
  std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
  std::vector<float> v(nFloats + 2);
  for (float& f : v)
    f = dist(gen);
  return v;
}

void BM_Brivane_Complex(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<float> input = Input(n);
  std::vector<float> data(n);
  CFastFourier fft;
  fft.SetData(data.data(), n, 1, 0, 0);
  for (auto _ : state) {
    std::memcpy(data.data(), input.data(), sizeof(float) * n);
    fft.Transform();
    benchmark::DoNotOptimize(data.data());
  }
}

void BM_FFTW_Complex(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<float> input = Input(n);
  fftwf_complex* data = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(float) * n));
  // FFTW_BACKWARD is the +1 sign of the forward transform here.
  fftwf_plan plan = fftwf_plan_dft_1d(n / 2, data, data, FFTW_BACKWARD, FFTW_MEASURE);
  for (auto _ : state) {
    std::memcpy(data, input.data(), sizeof(float) * n);
    fftwf_execute(plan);
    benchmark::DoNotOptimize(data);
  }
  fftwf_destroy_plan(plan);
  fftwf_free(data);
}

void BM_Brivane_Real(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<float> input = Input(n);
  std::vector<float> data(n);
  CFastFourier fft;
  fft.SetData(data.data(), n, 0, 0, 0);
  for (auto _ : state) {
    std::memcpy(data.data(), input.data(), sizeof(float) * n);
    fft.Transform();
    benchmark::DoNotOptimize(data.data());
  }
}

void BM_FFTW_Real(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<float> input = Input(n);
  // In place: n real values in n + 2 floats.
  float* data = static_cast<float*>(fftwf_malloc(sizeof(float) * (n + 2)));
  fftwf_plan plan = fftwf_plan_dft_r2c_1d(n, data, reinterpret_cast<fftwf_complex*>(data), FFTW_MEASURE);
  for (auto _ : state) {
    std::memcpy(data, input.data(), sizeof(float) * n);
    fftwf_execute(plan);
    benchmark::DoNotOptimize(data);
  }
  fftwf_destroy_plan(plan);
  fftwf_free(data);
}

#define SIZES RangeMultiplier(2)->Range(8 << 10, 1 << 20)->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_Brivane_Complex)->SIZES;
BENCHMARK(BM_FFTW_Complex)->SIZES;
BENCHMARK(BM_Brivane_Real)->SIZES;
BENCHMARK(BM_FFTW_Real)->SIZES;
#undef SIZES

// Keeps each run's time so that the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration)
        times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatios() const {
    std::printf("\nTime ratio to FFTW (single precision, in place):\n");
    std::printf("%-8s %10s %10s\n", "floats", "complex", "real");
    for (int n = 8 << 10; n <= (1 << 20); n *= 2) {
      std::printf("%-8d %10.2f %10.2f\n", n, Ratio("Complex", n), Ratio("Real", n));
    }
  }

 private:
  double Ratio(const char* kind, int n) const {
    const std::string suffix = std::string(kind) + "/" + std::to_string(n);
    auto ours = times_.find("BM_Brivane_" + suffix);
    auto theirs = times_.find("BM_FFTW_" + suffix);
    if (ours == times_.end() || theirs == times_.end() || theirs->second <= 0)
      return 0.0;
    return ours->second / theirs->second;
  }
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
