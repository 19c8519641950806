// The window kernels behind CWindowFunction::Apply: near weights of the
// windows whose own weight takes a long double sin, cos or two exps
// (Traficante, sine bell, sine squared, Hamming, Hanning), computed in
// double from block recurrences (the exponentials' come from their block
// factors, WindowFunction.cpp); the check that tells which weighted floats
// near weights settle; and the weighted floats themselves, which are always
// the floats that float(source x (long double)weight) gives.
//
// A near weight lies within kNearRelative |w| (plus kNearAbsolute for the
// Hanning window) of the own weight. A weighted float is settled by it where no weight that close could
// round the product to another float; elsewhere the caller takes the own
// weight. So every weighted float is the one the own weights give, and the
// weights kept differ from the own ones by rounding only (about 1e-16
// relative, up to 1e-14 where a sine is small).
#pragma once

#include <vector>

namespace window_weights {

// Bounds on |near - own|. The recurrences' rounding stays below 2^-45 |w|
// (cancellation near the sine's zero included); an x87 fsin of an argument
// near pi, whose own reduction of pi is short, below 2^-49 |w|; the own
// 1 + cos of the Hanning window near its end is rounded at 2^-64 absolute,
// which is all of its weight's bits there.
inline constexpr double kNearRelative = 1.0 / (1LL << 42);
inline constexpr double kNearAbsolute = kNearRelative / (1LL << 16);

// Fills weights[0 .. td) with the near weights of window type 3 ... 7 for
// LB (Hz), the sine shift (degrees) and the spectral width sw (Hz). False,
// with nothing written, where the recurrences do not hold the bound: other
// types, a sine shift outside 0 ... 90 degrees, a Traficante exponent
// beyond +-128. absolute receives the absolute part of the bound.
bool NearWeights(int type, float lb, float sineShift, int td, long double sw, double* weights, double& absolute);

// Which weighted floats the near weights settle: the indices of those they
// do not settle are appended to unsettled, in order. False when a settled
// float lies beyond the float range (the own weights' check refuses it too).
bool SettleNearFloats(const float* source, const double* weights, int td, double absolute,
                      std::vector<int>& unsettled);

// The indices (in order) of the weights where a curve drawn from them could
// move with their last bits: the largest ones (within 2^-40 of the largest
// magnitude: the curve's scale, whose pixel lands on a whole row) and those
// within 4096 units of the last place of a number of at most eight
// significant bits (0.5, 1, ...: an own weight rounds onto such a number,
// and its pixel lands on a whole row at some view height).
void FindCurveRows(const double* weights, int td, std::vector<int>& rows);

// target[i] = float(source[i] x (long double)weights[i]) for i < td: the
// product in double, and in long double only where rounding twice could
// differ (a double product exactly half way between two floats, or below
// the normal float range).
void Weigh(const float* source, const double* weights, int td, float* target);

}  // namespace window_weights
