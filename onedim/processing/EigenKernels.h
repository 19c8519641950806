// The inner loops of the symmetric eigensolver and of the spin engine's
// amplitudes, over plain arrays of n doubles, on the vector unit that
// numerics/VectorUnit.h chooses. Every element gets the operations written
// here in this order, so that each unit gives the same numbers.
#pragma once

#include <cstddef>

// y[k] -= f e[k] + g u[k]
void SubtractRankTwo(double* y, const double* e, const double* u, double f, double g, int n);
// y[k] += x[k] a; with -a, the same numbers as y[k] -= x[k] a
void AddMultiple(double* y, const double* x, double a, int n);
// (x[k], y[k]) <- (c x[k] - s y[k], s x[k] + c y[k])
void RotatePair(double* x, double* y, double s, double c, int n);
// acc[t][u] = sum over r < p of v[t][r] w[r ldw + u] for t, u < 4, adding
// the terms in the order of r.
void DotBlock4x4(const double* const v[4], const double* w, size_t ldw, int p, double acc[4][4]);

// EigenKernelsAvx2.cpp: the same loops four doubles at a time.
void SubtractRankTwoAvx2(double* y, const double* e, const double* u, double f, double g, int n);
void AddMultipleAvx2(double* y, const double* x, double a, int n);
void RotatePairAvx2(double* x, double* y, double s, double c, int n);
void DotBlock4x4Avx2(const double* const v[4], const double* w, size_t ldw, int p, double acc[4][4]);
