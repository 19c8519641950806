// "lp": linear prediction along the current dimension of a 2D set, with the
// prediction engine of the 1D program on up to eight columns at a time.
#pragma once

class CSpectrum2D;

// Predicts points first .. last (a negative first prepends |first| points)
// from a basis of `points` points and `coefficients` coefficients. Returns
// false, changing nothing, when the basis window does not lie inside the
// data, coefficients < 1, points < coefficients or memory runs out.
bool NdPredictStep(CSpectrum2D& set, int first, int last, int points, int coefficients);
