// "fi": the FID filter along the last dimension. A smoothing kernel of
// 2s + 1 taps, centred on the null-point frequency, keeps the signal near it;
// with subtract set that part is taken away (a high-pass filter that removes
// e.g. a solvent line).
#pragma once

class CSpectrum2D;

// selectivity s is clamped to 4 .. 32; offsetHz is the null point from the
// centre. Rows shorter than 3s + 1 points leave the set unchanged (false).
bool NdFidFilter(CSpectrum2D& set, int selectivity, double offsetHz, bool subtract);
