// The Fourier transform of the 2D program: an in-place radix-2 complex FFT
// along one dimension of a strided data buffer, and the split step that turns
// it into the transform of a real sequence. Nothing is normalised here; the
// weight vector carries the 1/N factor when one is wanted.
//
// Buffer layout shared by all kernels of this folder: complex float pairs;
// `inner` blocks, each holding `n` positions of the dimension, each position
// a column of `outer` consecutive pairs (outer = 1 for the fastest dimension).
#pragma once

// Entries of the cosine table: entry i = cos(pi / 2^(i + 2)). 32 entries
// cover every power of two an int count can reach.
enum { kNdTrigEntries = 32 };

void NdBuildTrigTable(double* table);

// Complex FFT of length n (a power of two) with kernel exp(+direction * 2 pi i jk / n),
// direction +1 (forward) or -1 (inverse), over every column of every block.
void NdFft(float* data, int inner, int n, int outer, int direction, const double* trig);

// After NdFft of n points: the spectrum of the 2n-value real sequence held in
// those points; the first point becomes (re + im, 0), halved for direction -1.
void NdRealSplit(float* data, int inner, int n, int outer, int direction);

// True when n is a power of two (1 included).
bool NdIsPowerOfTwo(long long n);
