// The butterflies of the 2D program's transform (NdFourier.cpp): a' = a + w b,
// b' = a - w b with w b = (wr br - wi bi, wr bi + wi br) and the sums in
// double, each result rounded to float; the first two stages as radix-4
// butterflies. The AVX2 loops (NdFourierAvx2.cpp, chosen at run time where
// the processor has AVX2) take four butterflies a step, each lane
// computing what the one-at-a-time loop computes, so the results do not
// change by a bit.
#pragma once

#include <cstddef>

// All stages of n >= 8 positions held in split form, already in
// bit-reversed order: position p's run of `width` complex values has its
// real parts at re[p width ...] and its imaginary parts at im[p width ...];
// width is 1 (a row) or a multiple of 4 (columns). d: the transform's sign;
// wr, wi: the twiddles of the stages h = 4, 8, ... below n, h each.
void NdSplitStagesAvx2(float* re, float* im, int n, std::size_t width, int d, const double* wr, const double* wi);
