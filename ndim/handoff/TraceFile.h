// Single traces of a 2D data set in the 1D program's document file (.bvx):
// gathered and written for the 1D program, and read back from its files.
// The layout is the 1D document's own; here only what goes into each field
// is decided:
//   header    number of spectra = traces, background white
//   each      td = 2 x points, sw, sf; the offset (float indices) that puts
//             every point at the Hz and ppm the 2D axis gives it; the group
//             delay of the block as handed (0 once the dimension has been
//             transformed) as GRPDLY, with DECIM 2 while there is one and 0
//             after; no phase, no filter table entry (DSPFVS 0); mode 1 and
//             complex for a complex set, 0 for a real one; not conjugate;
//             zero line in the middle; blue trace, vertical scale 100, step
//             2; the whole trace visible over the client width; axis at half
//             the client height, font height 14, black, fixed; a Courier New
//             axis font; integral divisor 1.0 and scale 100 / 1; no
//             integrals or labels
#pragma once

#include <vector>

#include "framework/base/Size.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"
#include "ndim/data/DimensionBlock.h"

class CHandOffUi;
class CSpectrum2D;
struct LoadedTrace;

// The (real, imaginary) float pairs of the traces, one after the other: a
// row (f1 index) gives its f2 points from the first to the last, a column
// (f2 index) its f1 points from the first row to the last, so that either
// runs as its axis does. A real set's value v travels as (v, 0). False, with
// the pairs untouched, when an index lies outside the set or the set has no
// data.
bool GatherTraces(const CSpectrum2D& set, bool columns, const std::vector<int>& indices, std::vector<float>& pairs);

// The block of dimension `dim` as a trace along it is handed on: its first-
// point offset stays only while the dimension is still a FID (a forward
// transform along it, which the phasing order records, has removed the
// delay).
DimensionBlock HandedBlock(const CSpectrum2D& set, int dim);

// Writes `count` traces of block.m_nPoints points each from `pairs` as a 1D
// document at path; `complex` tells quadrature pairs from real values (v, 0);
// `client` is the client area of the nD view the traces come from. A
// failure is shown and answered false.
bool WriteTraceFile(LPCSTR path, const float* pairs, const DimensionBlock& block, int count, bool complex,
                    const CSize& client, CHandOffUi& ui);

// Reads the first trace of a 1D document into a loaded trace of a set
// (Load Row into the f2 trace, Load Column into the f1 trace), its axis
// turned back into the 2D program's last-point frequency. The trace keeps
// what it held unless the read succeeds. What goes wrong is shown; false on
// failure.
bool ImportTrace(LPCSTR path, LoadedTrace& trace, CHandOffUi& ui);
