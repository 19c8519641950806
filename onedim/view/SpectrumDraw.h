// The drawing of a spectrum: the trace in its display mode, the axis scale,
// the phase pivot mark, the integrals, the text labels and the peak labels,
// on the screen, a printer or the clipboard picture.
#pragma once

#include "framework/base/WinTypes.h"

class CDC;
class CIntegral;
class CSpectrum;

// Draws everything the spectrum shows, in that order; a part whose pen
// cannot be created is left out. Returns TRUE.
BOOL DrawSpectrum(CSpectrum& spectrum, CDC* pDC);
// Only the trace, in the spectrum's display mode (the magnifier's lens).
BOOL DrawSpectrumTrace(const CSpectrum& spectrum, CDC* pDC);

// The integrals and the peak labels are drawn by their own tools, which
// register their drawing here; DrawSpectrum calls it in its place of the
// order. Each setter returns the previous drawer.
typedef void (*IntegralDrawer)(CIntegral* pIntegral, CDC* pDC);
typedef void (*PeakLabelDrawer)(CSpectrum* pSpectrum, CDC* pDC);
IntegralDrawer SetIntegralDrawer(IntegralDrawer pfnDraw);
PeakLabelDrawer SetPeakLabelDrawer(PeakLabelDrawer pfnDraw);
