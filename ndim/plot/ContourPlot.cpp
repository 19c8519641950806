#include "ndim/plot/ContourPlot.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {

// Segments kept per level before they go to the sink.
const std::size_t kBatchPoints = 8192;

class CSegmentBatches {
 public:
  CSegmentBatches(CContourSink& sink, int levels) : m_sink(sink), m_points(levels) {}

  // The crossings of one cell at one level, joined first to second, third
  // to fourth. A segment inside one pixel draws nothing and is dropped.
  void AddCell(int level, const POINT* p, int n) {
    std::vector<POINT>& out = m_points[level];
    for (int i = 0; i + 1 < n; i += 2) {
      if (p[i].x == p[i + 1].x && p[i].y == p[i + 1].y)
        continue;
      out.push_back(p[i]);
      out.push_back(p[i + 1]);
    }
    if (out.size() >= kBatchPoints)
      Flush(level);
  }

  void FlushAll() {
    for (std::size_t k = 0; k < m_points.size(); ++k)
      Flush(static_cast<int>(k));
  }

 private:
  void Flush(int level) {
    std::vector<POINT>& out = m_points[level];
    if (!out.empty())
      m_sink.Segments(level, out.data(), static_cast<int>(out.size()));
    out.clear();
  }

  CContourSink& m_sink;
  std::vector<std::vector<POINT>> m_points;
};

bool Finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

}  // namespace

void TraceContours(const NdMatrix& m, const NdWindow& window, const RECT& dest, int count, float firstLevel,
                   float ratio, CContourSink& sink) {
  if (count <= 0 || m.IsEmpty() || window.Columns() < 2 || window.Rows() < 2)
    return;
  if (count > kMaxContourLevels)
    count = kMaxContourLevels;

  std::vector<double> levels(count);
  levels[0] = std::fabs(firstLevel);
  for (int k = 1; k < count; ++k)
    levels[k] = static_cast<float>(levels[k - 1]) * ratio;
  double lowest = levels[0], highest = levels[0];
  for (double level : levels) {
    lowest = std::fmin(lowest, level);
    highest = std::fmax(highest, level);
  }
  // Ascending levels (ratio 1 or more) end a cell at the first level above it.
  const bool ascending = ratio >= 1.0f;
  const float sign = firstLevel < 0 ? -1.0f : 1.0f;

  // Crossings shared with the neighbours, as the fraction along the edge:
  // per level the row edge above each cell (for the cell above) and the
  // column edge to the right of the last cell (for the cell to its right).
  // NaN marks an edge whose cell was left out.
  const double kNone = std::numeric_limits<double>::quiet_NaN();
  const int columns = window.Columns();
  std::vector<double> above(static_cast<std::size_t>(count) * columns, kNone);
  std::vector<double> right(count, kNone);

  const CNdPixelMap map(window, dest);
  CSegmentBatches batches(sink, count);
  for (int r = window.firstRow; r + 1 < window.lastRow; ++r) {
    const bool firstRow = r == window.firstRow;
    // Corners c1 (c, r+1), c2 (c, r), c3 (c+1, r), c4 (c+1, r+1); the
    // right-hand pair of one cell is the left-hand pair of the next.
    double c1 = sign * m.At(window.firstColumn, r + 1);
    double c2 = sign * m.At(window.firstColumn, r);
    for (int c = window.firstColumn; c + 1 < window.lastColumn; ++c) {
      const double c3 = sign * m.At(c + 1, r);
      const double c4 = sign * m.At(c + 1, r + 1);
      const bool firstColumn = c == window.firstColumn;
      double* cellAbove = &above[c - window.firstColumn];
      if (!Finite(c1, c2, c3, c4)) {
        for (int k = 0; k < count; ++k) {
          cellAbove[static_cast<std::size_t>(k) * columns] = kNone;
          right[k] = kNone;
        }
      } else {
        const double lo = std::fmin(std::fmin(c1, c2), std::fmin(c3, c4));
        const double hi = std::fmax(std::fmax(c1, c2), std::fmax(c3, c4));
        if (lowest <= hi && lo <= highest) {
          for (int k = 0; k < count; ++k) {
            const double level = levels[k];
            if (level < lo)
              continue;
            if (level > hi) {
              if (ascending)
                break;
              continue;
            }
            const bool a1 = c1 > level, a2 = c2 > level, a3 = c3 > level, a4 = c4 > level;
            double& shareAbove = cellAbove[static_cast<std::size_t>(k) * columns];
            POINT p[4];
            int n = 0;
            if (a1 != a2) {
              double v = right[k];
              if (firstColumn || std::isnan(v))
                v = 1.0 - (level - c1) / (c2 - c1);
              p[n++] = map.Map(c, r + v);
            }
            if (a2 != a3) {
              double u = shareAbove;
              if (firstRow || std::isnan(u))
                u = (level - c2) / (c3 - c2);
              p[n++] = map.Map(c + u, r);
            }
            if (a3 != a4) {
              const double v = (level - c3) / (c4 - c3);
              right[k] = v;
              p[n++] = map.Map(c + 1, r + v);
            }
            if (a4 != a1) {
              const double u = 1.0 - (level - c4) / (c1 - c4);
              shareAbove = u;
              p[n++] = map.Map(c + u, r + 1);
            }
            batches.AddCell(k, p, n);
          }
        }
      }
      c1 = c4;
      c2 = c3;
    }
  }
  batches.FlushAll();
}
