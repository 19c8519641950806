// Automatic phase correction: a downhill-simplex search for the zero- and
// first-order phase that turns no point of a spectrum negative, or as
// little as possible.
#pragma once

// Searches the phases of n complex points (re, im interleaved). The points
// are a caller's copy: they are left in polar form (modulus, argument).
// Returns the best vertex: zero-order phase and first-order phase over the
// whole spectrum, in radians. The search state is program-wide, so it is
// not re-entrant; the vertex is valid until the next call. With n below 1
// the result is (0, 0).
const float* autophase(int n, float* points);

// The value of a phase pair (zero-order, first-order per point) over the
// points of the running search: the most negative modulus x cos(angle)
// among the points turned by more than 1.58 radians, or 0 when none is
// negative. The search maximises it.
double autophase_cost(const float* vertex);
