// The drawing of a spectrum's axis scale: the grey band with engraved ticks
// and embossed labels on screen, a plain line with ticks on paper, in the
// clipboard picture and for a floating scale.
#pragma once

#include "framework/base/WinTypes.h"

class CAxisScale;
class CDC;
class CSpectrum;

// Draws the scale of the spectrum being drawn, keeping the decimals and the
// tick being drawn in the scale; FALSE when its pen could not be created.
BOOL DrawAxisScale(CAxisScale& scale, CDC* pDC, const CSpectrum& spectrum);
