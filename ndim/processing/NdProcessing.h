// The processing steps that act on a whole data set along one dimension:
// they take the counts from the set's dimension table, call the kernels and
// keep the set's bookkeeping (phasing order, current dimension). Each returns
// false when it changed nothing.
#pragma once

class CSpectrum2D;

// "ft": complex (or real-sequence) transform along the current dimension,
// zero-filled to a power of two first; removes the first-point delay.
bool NdTransformStep(CSpectrum2D& set, bool inverse, bool realSequence);

// "ph": zero and first order in radians along dimension dim.
bool NdPhaseStep(CSpectrum2D& set, int dim, double zero, double first);

// "hi": rebuilds the imaginary part along the current dimension; the count
// must be a power of two.
bool NdHilbertStep(CSpectrum2D& set);
