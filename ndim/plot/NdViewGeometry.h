// What the graph view works out from pixels, apart from any window: the
// zoom window a dragged band chooses, the cursor readout, the point a pick
// on a loaded trace means, where a dragged strip edge may go, the plot
// rescaled with its window and the part of the matrix under the
// magnifier's lens.
#pragma once

#include <string>

#include "framework/base/WinTypes.h"
#include "ndim/plot/NdPlotGeometry.h"

class CSpectrum2D;
struct DimensionBlock;

// The zoom window (data points; right and bottom exclusive) that a band
// dragged over the plot chooses: the band is limited to the plot, its
// corners become data points, rows growing upwards. The window always lies
// inside the window shown before and the matrix and holds at least one
// point. False (window untouched)
// for a band without width or height or a set without a matrix.
bool ZoomWindowFromBand(const CSpectrum2D& set, RECT band, RECT& window);

// A position along F1 (dim 1, a row) or F2 (dim 2, a column) in the axis's
// display unit: "F1 %d pt", "F1%.2lf sec", "F1 %.2lf Hz", "F1 %.2lf ppm" and
// the same for F2 (with a blank before the seconds).
std::string FormatNdPosition(const CSpectrum2D& set, int dim, int index);
// The status bar's readout of a data point: "Position=(F2 ... , F1 ...)".
std::string FormatNdCursorReadout(const CSpectrum2D& set, int column, int row);

// The point of the loaded row trace (the one above the plot) that a click
// at x picks: the visible columns carried over to the trace's points, in
// the trace, rounded down to even. 0 without a trace or a plot width.
int PickRowTracePoint(const CSpectrum2D& set, int x);

// Where a dragged strip edge may go: never closer than 5 pixels to the plot
// edge beside it.
int LimitStripEdge(int position, int plotEdge);

// The plot rectangle carried from a window of the last size to the new one
// (each side times the ratio of the sizes). False, and nothing changed,
// while the new size has no area: a minimised window keeps its layout.
bool RescalePlotRect(RECT& plot, int lastWidth, int lastHeight, int width, int height);

// The F1 or F2 reference moved so that the point now at currentPpm reads
// newPpm.
void MoveAxisReference(DimensionBlock& dim, double currentPpm, double newPpm);

// Forgets the referencing wizard's picks before it runs.
void ClearWizardPicks(CSpectrum2D& set);

// After the referencing wizard: the F2 reference moved so that the picked
// 2D column reads the shift of the point picked on the row trace, on that
// trace's own scale. Only the row trace records a point; false (and the set
// unchanged) for the column trace, a pick missing or out of range, or a
// trace without a scale.
bool ReferenceFromWizardPicks(CSpectrum2D& set);

// What a lens of size pixels with its top-left at (lensLeft, lensTop) of
// the view shows at magnification tenths: the window of the matrix under
// its source square and where that window lands in the lens (lens
// coordinates; less than the whole lens where the square reaches past the
// matrix). False when nothing of the matrix is under it.
bool LensWindow(const CSpectrum2D& set, int lensLeft, int lensTop, int size, int magnification, NdWindow& window,
                RECT& dest);
