// Stacked rows: their order and base lines, the normalising maximum, the
// whitewash height factor, and windows of nothing but zeros or of one point.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "ndim/plot/StackedPlot.h"
#include "ndim/plot/TraceMaxCache.h"
#include "tests/ndim/nd_test_support.h"

namespace {

struct RowSink : CStackedSink {
  std::vector<std::vector<POINT>> rows;
  void Row(const POINT* p, int n) override { rows.emplace_back(p, p + n); }
};

std::vector<std::vector<POINT>> Rows(const CSpectrum2D& set, const RECT& dest, float scale, double factor = 1.0) {
  const NdMatrix m = MatrixOf(set);
  RowSink sink;
  TraceStackedRows(m, ClampWindow(set.m_zoom, m), dest, scale, factor, sink);
  return sink.rows;
}

TEST(StackedPlot, RowsRunTopToBottomFromTheLastRowScaledByTheLargestValue) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(4, 5, true));
  for (int i = 0; i < 20; ++i)
    set->m_pData[i] = 0.0f;
  set->m_pData[3 * 5 + 2] = 10.0f;   // last row, middle
  set->m_pData[0 * 5 + 4] = -40.0f;  // first row, last point: the largest magnitude
  set->m_zoom.SetRect(0, 1, 5, 4);   // rows 1 .. 3
  const auto rows = Rows(*set, {100, 200, 500, 500}, 50.0f);
  ASSERT_EQ(rows.size(), 3u);
  // Spacing 300 / 3; the last row (3) at the top with its peak 10/10 x 50 up.
  EXPECT_EQ(rows[0][2].y, 200 - 50);
  EXPECT_EQ(rows[1][0].y, 300);
  EXPECT_EQ(rows[2][0].y, 400);
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 5u);
    EXPECT_EQ(row.front().x, 100);
    EXPECT_EQ(row.back().x, 500);
  }
  // With the first row on show its -40 is the largest: 10 is 12 pixels up.
  set->m_zoom.SetRect(0, 0, 5, 4);
  const auto all = Rows(*set, {100, 200, 500, 600}, 50.0f, 2.0);
  EXPECT_EQ(all[0][2].y, 200 - 25);
  EXPECT_EQ(all[3][4].y, 500 + 100);
}

TEST(StackedPlot, ComplexRowsEndShortOfTheRightEdge) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(2, 5, false));
  const auto rows = Rows(*set, {0, 0, 900, 100}, 50.0f);
  ASSERT_EQ(rows.size(), 2u);
  // Point j at 900 x 2j / (2 x 5 - 1).
  EXPECT_EQ(rows[0][4].x, 800);
}

TEST(StackedPlot, FlatWindowsAndSinglePointsDrawOnTheirBaseLines) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  std::unique_ptr<CSpectrum2D> set(MakeSet(3, 3, true));
  for (int i = 0; i < 9; ++i)
    set->m_pData[i] = 0.0f;
  set->m_pData[4] = nan;
  set->m_pData[5] = inf;
  set->m_pData[6] = -inf;
  for (const auto& row : Rows(*set, {0, 0, 90, 90}, 50.0f))
    for (const POINT& p : row)
      EXPECT_EQ(p.y, row[0].y);
  set->m_zoom.SetRect(1, 1, 2, 2);
  const auto one = Rows(*set, {0, 0, 90, 90}, 50.0f);
  ASSERT_EQ(one.size(), 1u);
  ASSERT_EQ(one[0].size(), 1u);
  EXPECT_EQ(one[0][0].x, 0);
  EXPECT_EQ(one[0][0].y, 0);
  set->m_zoom.SetRect(1, 1, 1, 2);
  EXPECT_TRUE(Rows(*set, {0, 0, 90, 90}, 50.0f).empty());
}

TEST(TraceMaxCache, KeepsTheMaximumOfTheSameTraceOnlyWhileItsSamplesHold) {
  // Two rows with the same first, middle and last points.
  float rows[2][5] = {{1, 7, 2, 0, 3}, {1, -9, 2, 0, 3}};
  CTraceMaxCache cache;
  EXPECT_EQ(cache.Scan(rows[0], 5, false), 7.0f);
  EXPECT_EQ(cache.Scan(rows[1], 5, false), -9.0f);
  // The same row again with an unsampled point changed: not scanned again.
  rows[1][1] = 20;
  EXPECT_EQ(cache.Scan(rows[1], 5, false), -9.0f);
  // A sample changed by more than a thousandth: scanned.
  rows[1][2] = 2.01f;
  EXPECT_EQ(cache.Scan(rows[1], 5, false), 20.0f);
  // Complex: real parts only.
  const float pairs[6] = {1, 100, -4, 100, 2, 100};
  EXPECT_EQ(cache.Scan(pairs, 3, true), -4.0f);
}

}  // namespace
