// The drawing and hit testing of a plot marker, with a pen and brush built
// from its colour each time.
#pragma once

#include "framework/base/WinTypes.h"

class CDC;
class CPlotMarker;

void DrawPlotMarker(const CPlotMarker& marker, CDC* pDC);
// Whether pt lies on the marker's symbol.
BOOL HitTestPlotMarker(const CPlotMarker& marker, POINT pt);
