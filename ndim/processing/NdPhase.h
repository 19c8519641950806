// Phase correction of complex data along one dimension (same buffer layout
// as NdFourier.h). Angles in radians: position k of n is rotated by
// zero + k * first / n.
#pragma once

void NdPhase(float* data, int inner, int n, int outer, double zero, double first);

// The same over n single pairs spaced `stride` pairs apart (one column of a
// 2D set, for the phase views).
void NdPhaseStrided(float* data, int n, int stride, double zero, double first);
