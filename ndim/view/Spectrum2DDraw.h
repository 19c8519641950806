// The drawing of a 2D data set: the plot in its display mode, the trace
// strips beside it, its frame and its axes, on screen, on a printer and in
// a metafile alike. The view calls it for every set of its document.
#pragma once

#include "framework/base/WinTypes.h"
#include "ndim/view/NdAxisDraw.h"

class CDC;
class CPalette;
class CSpectrum2D;
struct ProjectionTrace;

// What the drawing takes from the application.
struct NdDrawSettings {
  bool bShowAxisF2 = true;
  bool bShowAxisF1 = true;
  // The axis fonts; null for the set's own label font in black.
  const NdAxisFont* pFontF2 = nullptr;
  const NdAxisFont* pFontF1 = nullptr;
};

// The whole set. The plot itself is drawn only while its dirty flag is set,
// so that moving a trace repaints just its strip. Returns with the pen the
// DC had before.
void DrawSpectrum2D(CSpectrum2D& set, CDC* pDC, const NdDrawSettings& settings);

// The plot in the set's display mode (0 raster, 1 contour, 2 stacked,
// 3 whitewash, 4 raster with contours) over the zoom window.
void DrawPlot(CSpectrum2D& set, CDC* pDC);

// A trace in its strip, in a one-pixel pen of the trace's colour: along
// the strip (horizontal) or up it. n values, every stride floats.
void DrawTrace(CDC* pDC, const float* values, int n, int stride, const ProjectionTrace& trace, const RECT& strip,
               bool horizontal, double zoom);

// The GDI palette of the set's ramp (256 entries).
BOOL CreateSpectrumPalette(const CSpectrum2D& set, CPalette& palette);
