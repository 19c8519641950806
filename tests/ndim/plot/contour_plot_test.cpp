// Contours: the half-height ring of a Gaussian against its analytic radius,
// closed; and the cases that must draw nothing or draw around bad points.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "ndim/plot/ContourPlot.h"
#include "tests/ndim/nd_plot_support.h"
#include "tests/ndim/nd_test_support.h"

namespace {

struct Segment {
  int level;
  POINT a, b;
};

struct CollectingSink : CContourSink {
  std::vector<Segment> segments;
  void Segments(int level, const POINT* p, int n) override {
    for (int i = 0; i + 1 < n; i += 2)
      segments.push_back({level, p[i], p[i + 1]});
  }
};

std::vector<Segment> Trace(const CSpectrum2D& set, const RECT& dest, int count, float first, float ratio) {
  const NdMatrix m = MatrixOf(set);
  CollectingSink sink;
  TraceContours(m, ClampWindow(set.m_zoom, m), dest, count, first, ratio, sink);
  return sink.segments;
}

// Every end point is shared by an even number of segments: the lines close.
bool Closed(const std::vector<Segment>& segments) {
  std::map<std::pair<int, int>, int> degree;
  for (const Segment& s : segments) {
    ++degree[{s.a.x, s.a.y}];
    ++degree[{s.b.x, s.b.y}];
  }
  for (const auto& d : degree)
    if (d.second % 2)
      return false;
  return !degree.empty();
}

TEST(ContourPlot, HalfHeightOfAGaussianIsAClosedRingAtItsRadius) {
  for (bool real : {true, false}) {
    for (double sign : {1.0, -1.0}) {
      std::unique_ptr<CSpectrum2D> set(MakeSet(96, 128, real));
      FillGaussian(*set, 60.0, 45.0, 9.0, sign * 1000.0);
      // Two pixels a point: the centre of point (c, r) is at (2c + 1, 191 - 2r).
      const RECT dest = {0, 0, 256, 192};
      const std::vector<Segment> ring = Trace(*set, dest, 1, static_cast<float>(sign * 500.0), 2.0f);
      ASSERT_FALSE(ring.empty());
      EXPECT_TRUE(Closed(ring));
      const double radius = 2 * GaussianRadius(9.0, 0.5);
      bool quadrant[4] = {false, false, false, false};
      for (const Segment& s : ring) {
        for (const POINT& p : {s.a, s.b}) {
          const double dx = p.x - (2 * 60 + 1), dy = (191 - 2 * 45) - p.y;
          EXPECT_NEAR(std::hypot(dx, dy), radius, 1.5) << p.x << "," << p.y;
          quadrant[(dx >= 0 ? 0 : 1) + (dy >= 0 ? 0 : 2)] = true;
        }
      }
      EXPECT_TRUE(quadrant[0] && quadrant[1] && quadrant[2] && quadrant[3]);
      // The other sign's contours of the same data are empty.
      EXPECT_TRUE(Trace(*set, dest, 3, static_cast<float>(-sign * 500.0), 2.0f).empty());
    }
  }
}

TEST(ContourPlot, LevelsGrowByTheRatioAndEachHasItsOwnRing) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(64, 64, true));
  FillGaussian(*set, 32.0, 32.0, 6.0, 1000.0);
  const std::vector<Segment> rings = Trace(*set, {0, 0, 640, 640}, 3, 100.0f, 2.0f);
  // Levels 100, 200, 400; a fourth would be 800.
  for (int level = 0; level < 3; ++level) {
    const double radius = 10 * GaussianRadius(6.0, 100.0 * std::pow(2.0, level) / 1000.0);
    int n = 0;
    for (const Segment& s : rings) {
      if (s.level != level)
        continue;
      ++n;
      EXPECT_NEAR(std::hypot(s.a.x - 325.0, 315.0 - s.a.y), radius, 7.5);
    }
    EXPECT_GT(n, 20) << level;
  }
}

TEST(ContourPlot, DrawsNothingWhereNoLineCanBe) {
  struct Case {
    const char* what;
    int rows, columns;
    RECT zoom;
    float value;  // every point
    bool peak;    // and a peak at (1, 1)
    int count;
    float first;
  };
  const Case cases[] = {
      {"no levels", 8, 8, {0, 0, 8, 8}, 0.0f, true, 0, 1.0f},
      {"one column", 8, 8, {3, 0, 4, 8}, 0.0f, true, 3, 1.0f},
      {"one row", 8, 8, {0, 3, 8, 4}, 0.0f, true, 3, 1.0f},
      {"all equal to a level", 8, 8, {0, 0, 8, 8}, 500.0f, false, 3, 500.0f},
      {"all equal below", 8, 8, {0, 0, 8, 8}, 7.0f, false, 3, 500.0f},
      {"zoom beyond the data", 8, 8, {20, 20, 40, 40}, 0.0f, true, 3, 1.0f},
      {"zoom reversed", 8, 8, {6, 6, 2, 2}, 0.0f, true, 3, 1.0f},
  };
  for (const Case& c : cases) {
    std::unique_ptr<CSpectrum2D> set(MakeSet(c.rows, c.columns, true));
    for (int i = 0; i < c.rows * c.columns; ++i)
      set->m_pData[i] = c.value;
    if (c.peak)
      set->m_pData[c.columns + 1] += 1000.0f;
    set->m_zoom = c.zoom;
    EXPECT_TRUE(Trace(*set, {0, 0, 100, 100}, c.count, c.first, 2.0f).empty()) << c.what;
  }
}

TEST(ContourPlot, ACornerOnTheLevelIsBelowIt) {
  // One cell: corners (0,0) (1,0) (0,1) (1,1), rows grow upwards.
  std::unique_ptr<CSpectrum2D> set(MakeSet(2, 2, true));
  const float values[][4] = {{500, 0, 0, 0}, {500.5f, 0, 0, 0}, {500, 500, 0, 0}, {600, 600, 600, 0}};
  const size_t expected[] = {0, 1, 0, 1};
  for (size_t i = 0; i < 4; ++i) {
    std::copy(values[i], values[i] + 4, set->m_pData);
    EXPECT_EQ(Trace(*set, {0, 0, 100, 100}, 1, 500.0f, 2.0f).size(), expected[i]) << i;
  }
}

TEST(ContourPlot, PointsThatAreNotNumbersLeaveOutOnlyTheirCells) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (float bad : {nan, inf, -inf}) {
    std::unique_ptr<CSpectrum2D> set(MakeSet(40, 40, true));
    FillGaussian(*set, 20.0, 20.0, 5.0, 1000.0);
    const size_t whole = Trace(*set, {0, 0, 400, 400}, 2, 300.0f, 2.0f).size();
    // A bad point on the ring's path removes the cells around it only.
    set->m_pData[20 * 40 + 26] = bad;
    const std::vector<Segment> cut = Trace(*set, {0, 0, 400, 400}, 2, 300.0f, 2.0f);
    EXPECT_LT(cut.size(), whole);
    EXPECT_GT(cut.size(), whole - 10);
    for (const Segment& s : cut) {
      EXPECT_TRUE(s.a.x >= 0 && s.a.x <= 400 && s.a.y >= 0 && s.a.y <= 400);
      EXPECT_TRUE(s.b.x >= 0 && s.b.x <= 400 && s.b.y >= 0 && s.b.y <= 400);
    }
  }
}

}  // namespace
