// The in-place transform against FFTW (single precision, in place, the same
// sign), for 8K to 1M floats in complex and in real mode, and the complex
// transform in the SSE2 loops that processors without AVX2 run. Each
// iteration copies the input back first, in both, so that values stay
// finite; the ratios of the times are printed at the end.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_times.h"
#include "onedim/processing/FastFourier.h"
#include "numerics/VectorUnit.h"

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

// The loops of processors without AVX2.
void BM_Brivane_Complex_SSE2(benchmark::State& state) {
  LimitVectorUnit(VectorUnit::kSse2);
  BM_Brivane_Complex(state);
  LimitVectorUnit(WidestVectorUnit());
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
BENCHMARK(BM_Brivane_Complex_SSE2)->SIZES;
BENCHMARK(BM_Brivane_Real)->SIZES;
BENCHMARK(BM_FFTW_Real)->SIZES;
#undef SIZES

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimesReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nTime ratio to FFTW (single precision, in place):\n");
  std::printf("%-8s %10s %10s %14s\n", "floats", "complex", "real", "complex SSE2");
  for (int n = 8 << 10; n <= (1 << 20); n *= 2) {
    const std::string size = "/" + std::to_string(n);
    std::printf("%-8d %10.2f %10.2f %14.2f\n", n, reporter.Ratio("BM_Brivane_Complex" + size, "BM_FFTW_Complex" + size),
                reporter.Ratio("BM_Brivane_Real" + size, "BM_FFTW_Real" + size),
                reporter.Ratio("BM_Brivane_Complex_SSE2" + size, "BM_FFTW_Complex" + size));
  }
  benchmark::Shutdown();
  return 0;
}
