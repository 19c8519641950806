// The red arrow that marks a point of the current spectrum: the peak found
// under the cursor, the selected peak, the reference line of a coupling
// measurement.
#pragma once

#include "framework/base/WinTypes.h"

class CDC;
class CSpectrum;

// The arrow's tip at (x, y), its stem up to the top of the spectrum's plot
// band. With bLabel the value is written above it in a white box, as
// "J=%.3lf" for a coupling (bCoupling) and " %.3lf " otherwise. Positions,
// pen and font follow the spectrum's print factors on paper.
void DrawArrowMark(CDC* pDC, const CSpectrum& s, int x, int y, double dValue, BOOL bLabel, BOOL bCoupling);

// Red text centred in a box drawn with the DC's pen and brush (red on
// white): the value label of the arrow marks and of the coupling brackets.
void DrawMarkLabel(CDC* pDC, LPCSTR pszText, const RECT& box);
