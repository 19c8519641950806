// The trace's pixel columns as they were built before the columns were
// found from their edges: every point through MapX and MapY. Kept as the
// reference that the trace must match point for point.
#pragma once

#include <algorithm>
#include <vector>

#include "onedim/plot/SpectrumTrace.h"

namespace legacy_trace {

inline std::vector<POINT> BuildColumnTrace(const float* pData, const TraceMapping& m) {
  std::vector<POINT> points;
  if (pData == nullptr || m.IsEmpty() || m.nLast <= m.nFirst)
    return points;
  auto flush = [&points](int x, int yLow, int yHigh) {
    POINT a = {x, yLow};
    POINT b = {x, yHigh};
    points.push_back(a);
    if (yHigh != yLow)
      points.push_back(b);
  };
  int nColumn = m.MapX(m.nBegin);
  int yLow = m.MapY(pData[m.nBegin]);
  int yHigh = yLow;
  for (int i = m.nBegin + 2; i < m.nEnd; i += 2) {
    const int x = m.MapX(i);
    const int y = m.MapY(pData[i]);
    if (x == nColumn) {
      yLow = std::min(yLow, y);
      yHigh = std::max(yHigh, y);
      continue;
    }
    flush(nColumn, yLow, yHigh);
    nColumn = x;
    yLow = yHigh = y;
  }
  flush(nColumn, yLow, yHigh);
  return points;
}

}  // namespace legacy_trace
