// The print margins between the printer's device units and the print
// preview's pixels: where the preview draws its four margin lines, the
// margin a dragged line stands for, how far a line may be dragged, and the
// margins carried to a printer of another resolution. Portable, so that
// the geometry is checked without a preview window.
#pragma once

#include "framework/base/WinTypes.h"

struct CPrintSettings;

// The four margin lines' offsets in preview pixels from the page's edges
// (left, top, right, bottom): unprintable band plus margin, at dScaleX and
// dScaleY printer device units per preview pixel.
RECT MarginLineOffsets(const RECT& rcMargins, const RECT& rcUnprintable, double dScaleX, double dScaleY);

// The margin (device units) of a line nOffset pixels in from its page
// edge, where the printer cannot print nUnprintable units: never negative.
int MarginFromLineOffset(int nOffset, int nUnprintable, double dScale);

// A dragged line's offset kept on the paper's printable part: not into the
// unprintable band of its edge, and nGap pixels short of the opposite line
// (nOppositeOffset in from the other edge of a page nPageExtent pixels long).
int ClampLineOffset(int nOffset, int nUnprintable, double dScale, int nOppositeOffset, int nPageExtent, int nGap);

// Margins measured on a printer of one resolution, carried to a printer of
// nDpiX by nDpiY so that they keep their size on paper; the margins are then
// in the new printer's units.
void FitMarginsToResolution(CPrintSettings& settings, int nDpiX, int nDpiY);
