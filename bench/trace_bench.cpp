// The trace's reduction to pixel columns: the data are read once, and the
// number of line segments handed to GDI follows the pixel width, not the
// number of points. Reports points per second and segments per trace, for
// today's columns, the former ones (the second speed round's, and those
// before it) and a reference that knows every column's end in advance and
// only finds each column's smallest and largest value (the same points).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "bench/bench_times.h"
#include "bench/former_trace.h"
#include "onedim/plot/SpectrumTrace.h"
#include "onedim/model/Spectrum.h"

#include <cstdio>
#include <string>

namespace {

std::unique_ptr<CSpectrum> Spectrum(int nFloats, int nWidth) {
  CSpectrumParams params;
  params.td = nFloats;
  auto s = std::make_unique<CSpectrum>(params);
  s->m_pData = CSpectrum::AllocateFloats(nFloats);
  for (int i = 0; i < nFloats; i++)
    s->m_pData[i] = (float)(std::sin(i * 0.001) * 1000.0 + std::cos(i * 0.37) * 50.0);
  s->FindMaximum();
  s->m_nLast = nFloats;
  s->m_nRightPixel = nWidth;
  s->m_rectPlot = {0, 0, nWidth, 600};
  return s;
}

// make(pData, m) prepares outside the timing and returns what builds the
// points.
template <typename Make>
void RunColumnTrace(benchmark::State& state, Make make) {
  const int nFloats = (int)state.range(0);
  const int nWidth = (int)state.range(1);
  auto s = Spectrum(nFloats, nWidth);
  TraceDevice screen;
  screen.nVertRes = 1200;
  const TraceMapping m = MakeTraceMapping(*s, screen, true);
  auto build = make(s->m_pData, m);
  size_t nSegments = 0;
  for (auto _ : state) {
    std::vector<POINT> points = build();
    nSegments = points.size() - 1;
    benchmark::DoNotOptimize(points.data());
  }
  state.SetItemsProcessed(state.iterations() * (nFloats / 2));
  state.counters["segments"] = (double)nSegments;
}

template <typename Build>
auto Plain(Build build) {
  return [build](const float* pData, const TraceMapping& m) { return [build, pData, &m] { return build(pData, m); }; };
}

void BM_ColumnTrace(benchmark::State& state) {
  RunColumnTrace(state, Plain(BuildColumnTrace));
}
void BM_ColumnTraceFormer(benchmark::State& state) {
  RunColumnTrace(state, Plain(former_trace::BuildColumnTrace));
}
void BM_ColumnTraceBeforePf2(benchmark::State& state) {
  RunColumnTrace(state, Plain(former_trace::BuildColumnTraceBeforePf2));
}

// The reference: the columns' first indices found once, outside the timing;
// then one plain pass of smallest and largest values and two MapY a column.
void BM_ColumnTraceReference(benchmark::State& state) {
  RunColumnTrace(state, [](const float* pData, const TraceMapping& m) {
    std::vector<int> starts, columns;
    for (int i = m.nBegin; i < m.nEnd; i += 2)
      if (starts.empty() || m.MapX(i) != columns.back()) {
        starts.push_back(i);
        columns.push_back(m.MapX(i));
      }
    starts.push_back(m.nEnd);
    return [pData, &m, starts, columns] {
      std::vector<POINT> points;
      points.reserve(2 * columns.size());
      for (size_t c = 0; c < columns.size(); ++c) {
        float lo = pData[starts[c]], hi = lo;
        for (int i = starts[c]; i < starts[c + 1]; i += 2) {
          lo = std::min(lo, pData[i]);
          hi = std::max(hi, pData[i]);
        }
        const int a = m.MapY(lo), b = m.MapY(hi);
        points.push_back(POINT{columns[c], std::min(a, b)});
        if (a != b)
          points.push_back(POINT{columns[c], std::max(a, b)});
      }
      return points;
    };
  });
}

const std::vector<std::vector<int64_t>> kSizes = {{1 << 14, 1 << 17, 1 << 20, 1 << 23}, {500, 2000}};
BENCHMARK(BM_ColumnTrace)->ArgsProduct(kSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColumnTraceFormer)->ArgsProduct(kSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColumnTraceBeforePf2)->ArgsProduct(kSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColumnTraceReference)->ArgsProduct(kSizes)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimesReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nTime of today's columns over: the former, before the former, the reference\n");
  for (int64_t floats : kSizes[0])
    for (int64_t width : kSizes[1]) {
      const std::string arg = "/" + std::to_string(floats) + "/" + std::to_string(width);
      std::printf("%8lld floats, %4lld columns: %5.2f %5.2f %5.2f\n", (long long)floats, (long long)width,
                  reporter.Ratio("BM_ColumnTrace" + arg, "BM_ColumnTraceFormer" + arg),
                  reporter.Ratio("BM_ColumnTrace" + arg, "BM_ColumnTraceBeforePf2" + arg),
                  reporter.Ratio("BM_ColumnTrace" + arg, "BM_ColumnTraceReference" + arg));
    }
  benchmark::Shutdown();
  return 0;
}
