// Single traces of a 2D data set in the 1D program's document file (.bvx):
// gathered and written for the 1D program, and read back from its files.
// The layout is the 1D document's own; here only what goes into each field
// is decided:
//   header    number of spectra = traces, background white
//   each      td = 2 x points, sw, sf and (in the offset field) the
//             last-point frequency of the dimension's block; no phase, no
//             filter, mode 0, neither complex nor conjugate; zero line in the
//             middle; blue trace, vertical scale 100, step 2; the whole trace
//             visible over the client width; axis at half the client height,
//             font height 14, black, fixed; a Courier New axis font;
//             integral divisor 1.0 and scale 100 / 1; no integrals or labels
#pragma once

#include <vector>

#include "framework/base/Size.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CHandOffUi;
class CSpectrum2D;
struct DimensionBlock;
struct LoadedTrace;

// The (real, imaginary) float pairs of the traces, one after the other: a
// row (f1 index) gives its f2 points from the first to the last, a column
// (f2 index) its f1 points from the last row to the first. A real set's
// value v travels as (v, 0). False, with the pairs untouched, when an index
// lies outside the set or the set has no data.
bool GatherTraces(const CSpectrum2D& set, bool columns, const std::vector<int>& indices, std::vector<float>& pairs);

// Writes `count` traces of block.m_nPoints points each from `pairs` as a 1D
// document at path; `client` is the client area of the nD view the traces
// come from. A failure is shown and answered false.
bool WriteTraceFile(LPCSTR path, const float* pairs, const DimensionBlock& block, int count, const CSize& client,
                    CHandOffUi& ui);

// Reads the first trace of a 1D document into a loaded trace of a set
// (Load Row into the f2 trace, Load Column into the f1 trace). The trace
// keeps what it held unless the read succeeds. What goes wrong is shown;
// false on failure.
bool ImportTrace(LPCSTR path, LoadedTrace& trace, CHandOffUi& ui);
