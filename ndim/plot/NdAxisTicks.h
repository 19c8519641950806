// The ticks of the 2D plot's F2 and F1 axes: where they fall in pixels,
// which are labelled, and the values at the ends of the visible window in
// each display unit.
#pragma once

#include <vector>

#include "onedim/model/AxisScale.h"

struct DimensionBlock;

// Display units of the 2D axes, as the units dialog stores them.
enum { ND_UNITS_POINTS = 0, ND_UNITS_SECONDS = 1, ND_UNITS_HZ = 2, ND_UNITS_PPM = 3 };

// "Pts", "Sec", "Hz" or "ppm"; points for an unknown unit.
const char* NdUnitText(int units);

// The value of a point index of a dimension in a display unit.
double NdAxisValue(const DimensionBlock& dim, double index, int units);

struct NdAxisInput {
  double dStart = 0;  // values at the start and the end of the axis
  double dEnd = 0;
  int nStartPixel = 0;  // the axis's extent before the print factor
  int nEndPixel = 0;
  double dFactor = 1.0;  // print factor along the axis
};

struct NdAxisTick {
  double dValue;  // 0 within half a thousandth of it
  int nPosition;  // pixels, print factor applied
  bool bMajor;    // labelled
};

// The ticks in value order. A start at or above the end draws the axis
// reversed (values falling along it). Ticks outside the axis are left out,
// so are all when an end is not a finite number, and the count is capped so
// that absurd ranges cannot stall a repaint.
std::vector<NdAxisTick> ComputeNdAxisTicks(const NdAxisInput& in, AxisTickStep* pStep = nullptr);
