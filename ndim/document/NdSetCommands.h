// What the nD document's menu commands do to its data set, apart from any
// window: intensity, zoom, magnitude, the projections kept in step with the
// set's size, the slice lists and steps, the plot rectangle, and the phase
// that a phase dialog applies.
#pragma once

#include <vector>

class CCommandInterpreter;
class CSpectrum2D;

// Intensity: the lowest contour level and the stacked plots' scale.
void IncreaseLevels(CSpectrum2D& set);
void DecreaseLevels(CSpectrum2D& set);
// Both slice traces' scales times factor.
void ScaleSliceTraces(CSpectrum2D& set, double factor);

// The zoom window over the whole plane, and whether it is so now.
void ZoomFull(CSpectrum2D& set);
bool IsZoomFull(const CSpectrum2D& set);

// Polar form and back, as the magnitude flag says; false (nothing done) on
// a real set.
bool ToggleMagnitude(CSpectrum2D& set);
// The last two dimensions have equal counts (transpose and symmetrize work).
bool HasSquarePlane(const CSpectrum2D& set);
// The baseline commands (Polynomial, Full Auto) are offered: the current
// dimension is -1, which only "f= -1" sets.
bool OffersBaselineCommands(const CSpectrum2D& set);

// The projection of dimension dim (1: F1, rows summed; 2: F2, columns
// summed) switched on or off; switching it on hides the loaded trace of that
// strip, and the other way round.
void ToggleProjection(CSpectrum2D& set, int dim);
void ToggleLoadedTrace(CSpectrum2D& set, int dim);
// The projection buffers as the set is now: a shown projection recomputed
// at the set's present size, a hidden one freed. Every command that can
// change the set's size ends here, so the drawing never reads past them.
void RefreshProjections(CSpectrum2D& set);
// The projection of dimension dim summed again from the set now.
void ComputeProjection(CSpectrum2D& set, int dim);

// Appends index unless it is there already; false when it was.
bool AddToSliceList(std::vector<int>& list, int index);
// The selected row (F1 index) or column (F2 index) one step on, while it
// stays inside the set.
bool CanStepRow(const CSpectrum2D& set, int step);
bool CanStepColumn(const CSpectrum2D& set, int step);
void StepRow(CSpectrum2D& set, int step);
void StepColumn(CSpectrum2D& set, int step);

// The plot rectangle grown (or, negative, shrunk) by pixels on every side;
// a plot is never shrunk to less than 20 pixels either way.
void GrowPlot(CSpectrum2D& set, int pixels);
// The plot rectangle squared to its shorter side at its top-left corner.
void MakePlotSquare(CSpectrum2D& set);

// The dimension phase corrections act along: the one transformed last (the
// quadrature pair of each point), or the current one before any transform.
int PhasingDimension(const CSpectrum2D& set);
// The Apply of the phase dialog: runs the difference between the new
// phases (degrees) and those already applied along the phasing dimension,
// then keeps the new ones as applied.
void ApplyPhaseDifference(CSpectrum2D& set, CCommandInterpreter& interpreter, double phase0, double phase1);
