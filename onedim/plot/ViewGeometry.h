// What the 1D view's mouse tools compute from pixels: dragged bands turned
// into visible ranges, the nearest maximum under the cursor, the cursor
// readout, the rescaling of the layout when the window changes size, the
// full view's zoom box and the magnifier's source band. Portable, so that
// every mapping is checked without windows; the views only call these.
#pragma once

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CSpectrum;

// A visible range of float indices: both even, 0 <= nFirst < nLast <= td.
struct VisibleRange {
  int nFirst = 0;
  int nLast = 0;
};

// Float index under pixel x of the spectrum's own pixel extent and visible
// range, and back (linear, rounded like MulDiv). Unclamped.
int SpectrumPixelToPoint(const CSpectrum& s, int x);
int SpectrumPointToPixel(const CSpectrum& s, int nIndex);

// Rounds a float index down to even and keeps it inside 0..td.
int ClampEvenIndex(int nIndex, int td);

// The range between two dragged pixels (in either order). False, and
// nothing to change, when the band has no width or maps to fewer than two
// points (a zoom that would leave nothing to draw).
bool MapBandToRange(const CSpectrum& s, int xA, int xB, VisibleRange& range);

// The range of `from` carried to `to` through Hz (apply zoom to all). False
// when the band lies wholly outside `to`'s data.
bool MapRangeThroughHz(const CSpectrum& from, const VisibleRange& range, const CSpectrum& to, VisibleRange& out);

// The nearest-maximum search of the peak and reference tools: the float
// index of the only local maximum of |real| above the value at mouse height
// within +-30 pixels of x, the window shrinking a pixel a side while more
// than one qualifies. -1 when none is found or 100 shrinks leave several.
int FindNearestMaximum(const CSpectrum& s, int x, int y);

// A press on the trace: within 3 pixels of the trace's y at x, inside the
// spectrum's pixel extent. A press on its axis line: the scale floats and
// is shown, and y is within 3 pixels of it.
bool HitsTrace(const CSpectrum& s, POINT pt);
bool HitsFloatingScale(const CSpectrum& s, POINT pt);

// The cursor readout for pixel x: "%.2f Int.=%.1f" in the scale's units
// ("%.0f Int.=%.1f" in points), or "Out of range".
CString FormatCursorReadout(const CSpectrum& s, int x);

// Width and height ratios of a resize; 1.0 for a side that had no size
// before or has none now (a minimised window comes back unchanged).
void ResizeRatios(const SIZE& oldSize, const SIZE& newSize, double& dx, double& dy);
// The layout of one spectrum stretched by the ratios: pixel extent by dx;
// plot band, scale position, vertical scale, integral curve scale and
// integral base lines by dy.
void RescaleSpectrumLayout(CSpectrum& s, double dx, double dy);

// The full view's zoom box moved by dx: nMode 2 moves it whole (keeping its
// width), nMode 1 moves one edge (nEdge 0 left, 1 right). The result is
// normalised and kept inside nMinX..nMaxX.
RECT MoveZoomBox(const RECT& box, int nMode, int nEdge, int dx, int nMinX, int nMaxX);
// The hover mode over the box: 2 inside the box inset by 5, 1 in a side
// strip (nEdge 0 left, 1 right), 0 elsewhere.
int ZoomBoxHitMode(const RECT& box, POINT pt, int& nEdge);

// The magnifier's source band for a lens of nSize pixels at nLensLeft with
// nMagnification tenths: the visible range it draws (first = last = td
// when it lies past the end of the data).
VisibleRange MagnifierSourceRange(const CSpectrum& s, int nSize, int nMagnification, int nLensLeft);

class CIntegral;
class CTextLabel;

// The text label drawn under pt: the last one of the spectrum's labels
// whose drawn rectangle holds it, or null.
CTextLabel* TextLabelAt(const CSpectrum& s, POINT pt);
// A label dragged by (dx, dy) pixels; an attached label's x, a float
// index, moves by what the pixels map to.
void MoveTextLabel(CTextLabel& label, int dx, int dy);

// An integral whose tracker went from `before` to `after`. Moved whole (the
// same size) it only goes up or down: its base line, or with bAll that of
// every integral of the spectrum, shifts by as much. Resized, its range
// comes from the new rectangle inset by a pixel (even float indices inside
// the data; kept when that leaves under two points), and a new height
// scales the spectrum's integral curve scale by new height / old height.
void ApplyIntegralTrack(CSpectrum& s, CIntegral& integral, const RECT& before, const RECT& after, bool bAll);
