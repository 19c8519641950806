// The drawing and hit testing of a graph: its poly-lines with whatever pen
// the caller selected, and a marker at each point when markers are shown.
#pragma once

#include "framework/base/WinTypes.h"

class CDC;
class CGraph;
struct PlotPoint;

// Draws the curves and keeps the rectangle given in the graph.
void DrawGraph(CGraph& graph, CDC* pDC, int left, int top, int right, int bottom);
// The point whose marker holds pt: the first in curve and point order, or
// null.
PlotPoint* HitTestGraph(CGraph& graph, POINT pt);
