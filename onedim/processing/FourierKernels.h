// The loops of the radix-2 transform over n complex points held as 2n
// floats (point p at floats 2p, 2p + 1). Every butterfly computes what the
// textbook loop computes: the twiddle product in double rounded to float,
// then the sum and the difference in float. The loops only choose the order
// of independent butterflies and let two of them share the vector unit, so
// the results do not change by a bit.
#pragma once

// The loops run one butterfly at a time, two in SSE2 or, for the stages with
// h >= 4, four in AVX2, as numerics/VectorUnit.h chooses.

// The bit-reversal permutation of n points: point i trades places with the
// point whose index has i's bits in reverse order.
void BitReverse(float* d, int n);

// The butterflies of points lo .. hi - 1 (whole groups) in the stage whose
// butterflies join points h apart; wr, wi: the table of all stages, stage h
// at [h, 2h).
void RunStage(float* d, int lo, int hi, int h, const double* wr, const double* wi);
// The stages hFrom, 2 hFrom, ... below hTo, two at a time where it can.
void RunStages(float* d, int lo, int hi, int hFrom, int hTo, const double* wr, const double* wi);
// One stage over all n points, its twiddles from the recurrence on the way.
void RunStageByRecurrence(float* d, int n, int h, int isign);

// FourierKernelsAvx2.cpp: one stage or two (h, 2h) with h >= 4.
void RunStageAvx2(float* d, int lo, int hi, int h, const double* wr, const double* wi);
void RunTwoStagesAvx2(float* d, int lo, int hi, int h, const double* wr, const double* wi);

// The split step of the real transform of n values for the points p and
// n/2 - p (1 <= p < n/4), with c1 = 0.5 and c2 = -0.5 forward, +0.5 back.
void SplitPair(float* d, int n, int p, double c1, double c2, double wr, double wi);
// SplitPair for every p, the twiddle of p at wr[p], wi[p].
void SplitPairs(float* d, int n, double c1, double c2, const double* wr, const double* wi);
