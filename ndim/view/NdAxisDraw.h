// The F2 axis below the plot and the F1 axis to its right: line, ticks,
// labels and unit, for the values at the two ends of the visible window.
#pragma once

#include "framework/base/WinTypes.h"

class CColourFont;
class CDC;
struct NdAxisScale;

// Start and end are the values at the plot's left and right edge (F2) or
// bottom and top edge (F1); the plot rectangle is before the print
// factors, which the scale holds. The labels are in the font and its
// colour (the application's F2 or F1 font). The tick choice sets the
// scale's decimals.
void DrawF2Axis(CDC* pDC, NdAxisScale& scale, const CColourFont& font, double start, double end, const RECT& plot);
void DrawF1Axis(CDC* pDC, NdAxisScale& scale, const CColourFont& font, double start, double end, const RECT& plot);
