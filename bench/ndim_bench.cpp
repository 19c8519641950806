// The 2D program's processing: a whole 2048 x 512 hypercomplex set through
// the command language (windows, zero fill, transforms along both
// dimensions, phase), and the 2D transform alone, at 512 x 2048 and
// 1024 x 4096, against the former implementation and against FFTW's 2D
// transform (single precision, in place, the same sign), with their ratios.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "ndim/script/CommandInterpreter.h"
#include "ndim/processing/NdFourier.h"
#include "ndim/data/Spectrum2D.h"
#include "tests/ndim/processing/legacy_nd_fourier.h"

namespace {

const int kRows = 512;     // f1: 256 increments, each a cosine and a sine row
const int kPoints = 2048;  // f2 complex points

std::vector<float> Input(std::size_t floats) {
  std::mt19937 gen(42);
  std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
  std::vector<float> v(floats);
  for (float& f : v)
    f = dist(gen);
  return v;
}

void Reset(CSpectrum2D& set, const std::vector<float>& input) {
  set.m_nLastDim = 2;
  set.m_nCurrentDim = 2;
  set.m_bReal = 0;
  set.m_dims[0].m_nPoints = 1;
  set.m_dims[1].m_nPoints = kRows;
  set.m_dims[2].m_nPoints = kPoints;
  std::memset(set.m_phasingOrder, 0, sizeof set.m_phasingOrder);
  set.AllocateData();
  std::memcpy(set.m_pData, input.data(), input.size() * sizeof(float));
}

void BM_FullProcessing(benchmark::State& state) {
  const std::vector<float> input = Input(2 * static_cast<std::size_t>(kRows) * kPoints);
  const char* script =
      "bw q 2048\nsb 90\nfp 0.5\new\nze 4096\nft\nph 45 20\n"
      "qd *\nbw q 256\nsb 90\nfp 0.5\new\nze 512\nft\nph 10 5\nsw 2\nph 3 1\n";
  CSpectrum2D set;
  CCommandInterpreter interpreter;
  for (auto _ : state) {
    state.PauseTiming();
    Reset(set, input);
    state.ResumeTiming();
    interpreter.Execute(set, script);
    benchmark::DoNotOptimize(set.m_pData);
  }
}

template <typename Transform>
void Run2D(benchmark::State& state, Transform transform) {
  const int rows = (int)state.range(0), points = (int)state.range(1);
  const std::vector<float> input = Input(2 * static_cast<std::size_t>(rows) * points);
  std::vector<float> data(input.size());
  double trig[kNdTrigEntries];
  NdBuildTrigTable(trig);
  for (auto _ : state) {
    std::memcpy(data.data(), input.data(), input.size() * sizeof(float));
    transform(data.data(), rows, points, trig);
    benchmark::DoNotOptimize(data.data());
  }
}

void BM_Brivane_2D(benchmark::State& state) {
  Run2D(state, [](float* data, int rows, int points, const double* trig) {
    NdFft(data, rows, points, 1, 1, trig);
    NdFft(data, 1, rows, points, 1, trig);
  });
}

void BM_Former_2D(benchmark::State& state) {
  Run2D(state, [](float* data, int rows, int points, const double* trig) {
    legacy_nd_fft::Fft(data, rows, points, 1, 1, trig);
    legacy_nd_fft::Fft(data, 1, rows, points, 1, trig);
  });
}

void BM_FFTW_2D(benchmark::State& state) {
  const int rows = (int)state.range(0), points = (int)state.range(1);
  const std::vector<float> input = Input(2 * static_cast<std::size_t>(rows) * points);
  fftwf_complex* data = static_cast<fftwf_complex*>(fftwf_malloc(input.size() * sizeof(float)));
  // FFTW_BACKWARD is the +1 sign of the forward transform here.
  fftwf_plan plan = fftwf_plan_dft_2d(rows, points, data, data, FFTW_BACKWARD, FFTW_MEASURE);
  for (auto _ : state) {
    std::memcpy(data, input.data(), input.size() * sizeof(float));
    fftwf_execute(plan);
    benchmark::DoNotOptimize(data);
  }
  fftwf_destroy_plan(plan);
  fftwf_free(data);
}

BENCHMARK(BM_FullProcessing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Brivane_2D)->Args({512, 2048})->Args({1024, 4096})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Former_2D)->Args({512, 2048})->Args({1024, 4096})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FFTW_2D)->Args({512, 2048})->Args({1024, 4096})->Unit(benchmark::kMillisecond);

// Keeps each run's time so that the ratio can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration)
        times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintSummary() const {
    auto full = times_.find("BM_FullProcessing");
    if (full != times_.end())
      std::printf("\nFull processing of a %d x %d hypercomplex set: %.1f ms\n", kRows, kPoints, full->second);
    for (const char* size : {"/512/2048", "/1024/4096"}) {
      auto ours = times_.find(std::string("BM_Brivane_2D") + size);
      auto former = times_.find(std::string("BM_Former_2D") + size);
      auto theirs = times_.find(std::string("BM_FFTW_2D") + size);
      if (ours == times_.end() || former == times_.end() || theirs == times_.end() || theirs->second <= 0)
        continue;
      std::printf("2D transform %s: time ratio to FFTW %.2f (the former implementation's %.2f)\n", size,
                  ours->second / theirs->second, former->second / theirs->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();
  benchmark::Shutdown();
  return 0;
}
