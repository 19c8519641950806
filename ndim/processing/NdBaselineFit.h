// "bc": automatic baseline correction of a 2D set, trace by trace along one
// dimension. Baseline points are found from the derivative of a smoothed
// copy of each trace; an evenly spread subset of them is fitted by least
// squares (Householder QR) with a power or trigonometric series, and the
// fitted curve is subtracted. The set is made real first.
#pragma once

class CSpectrum2D;

// dim is clamped to 1 .. last, order to 0 .. 30, width to 0 .. 9; basis 0 is
// the power series, any other value the trigonometric one (order doubled).
// Returns 1 when the memory for the fit is not there (nothing changes), else 0.
int NdBaselineFit(CSpectrum2D& set, int dim, int order, int basis, int width);

// Marks the signal points of one trace (marks[k] = 1) from its derivative
// (d: n doubles of work space); threshold starts the marking (1e30 for the
// first trace of a run), *limit receives the final limit. Returns the number
// of baseline points.
int NdFindBaselinePoints(const double* trace, int n, int width, double threshold, unsigned char* marks, double* d,
                         double* limit);
