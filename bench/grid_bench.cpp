// What a grid's paint computes before it draws: the first row in view at
// the scroll position and the rectangles of the visible cells, the same
// window (40 rows of 5 columns) whatever the number of rows. The drawing
// calls themselves are GDI's, one per visible cell (the window tests count
// them); here the question is whether finding those cells grows with the
// table. A frame after a row's height changed pays once for the running
// sums of the rows below it.
#include <benchmark/benchmark.h>

#include <vector>

#include "controls/grid/GridAxis.h"
#include "framework/base/Rect.h"

namespace {

const int kColumns = 5, kRowHeight = 18, kColumnWidth = 80, kClientHeight = 40 * kRowHeight;

// The cell rectangles of one frame scrolled to nScrollPos pixels.
size_t LayOutFrame(const CGridAxis& rows, const CGridAxis& cols, int nScrollPos, std::vector<CRect>& cells) {
  cells.clear();
  int nRow = rows.FirstAtOrAfter(rows.GetOffset(1) + nScrollPos);
  for (int y = rows.GetOffset(1); nRow < rows.GetCount() && y < kClientHeight; ++nRow) {
    const int nHeight = rows.GetSize(nRow);
    for (int c = 0, x = 0; c < cols.GetCount(); ++c) {
      cells.emplace_back(x, y, x + cols.GetSize(c), y + nHeight);
      x += cols.GetSize(c);
    }
    y += nHeight;
  }
  return cells.size();
}

void BM_GridFrame(benchmark::State& state) {
  CGridAxis rows, cols;
  rows.SetCount((int)state.range(0), kRowHeight);
  cols.SetCount(kColumns, kColumnWidth);
  std::vector<CRect> cells;
  // Scrolled to the middle, where a walk from the first row would cost most.
  const int nScrollPos = rows.GetTotal() / 2;
  size_t nCells = 0;
  for (auto _ : state) {
    nCells = LayOutFrame(rows, cols, nScrollPos, cells);
    benchmark::DoNotOptimize(cells.data());
  }
  state.counters["cells"] = (double)nCells;
}

void BM_GridFrameAfterResize(benchmark::State& state) {
  CGridAxis rows, cols;
  rows.SetCount((int)state.range(0), kRowHeight);
  cols.SetCount(kColumns, kColumnWidth);
  std::vector<CRect> cells;
  const int nScrollPos = rows.GetTotal() / 2;
  int nHeight = kRowHeight;
  for (auto _ : state) {
    rows.SetSize(2, nHeight = nHeight == kRowHeight ? kRowHeight + 1 : kRowHeight);
    benchmark::DoNotOptimize(LayOutFrame(rows, cols, nScrollPos, cells));
  }
}

BENCHMARK(BM_GridFrame)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridFrameAfterResize)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
