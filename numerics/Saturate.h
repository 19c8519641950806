// Integer results of pixel and index arithmetic: values beyond the int
// range stick at its ends and NaN gives 0, where a plain cast would be
// undefined.
#pragma once

#include <climits>
#include <cmath>

// Truncated toward zero. The long double goes to the nearest double and
// that to int (SSE2, whose truncation needs no change of the x87 control
// word, which costs tens of cycles a change); where the double rounded v
// onto a whole number past it, the whole number next to it toward zero is
// v's.
inline int SaturatingInt(long double v) {
  if (v != v)
    return 0;
  if (v >= (long double)INT_MAX)
    return INT_MAX;
  if (v <= (long double)INT_MIN)
    return INT_MIN;
  const double d = (double)v;
  int t = (int)d;
  if ((double)t == d) {
    if (v > 0 && v < d)
      --t;
    else if (v < 0 && v > d)
      ++t;
  }
  return t;
}

inline int ClampToInt(long long v) {
  return v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : (int)v);
}

// Windows' MulDiv: a x b / c rounded to the nearest, halves away from zero;
// 0 when c is 0. Wide arguments, so that differences of ints cannot
// overflow; saturates instead of failing.
inline int MulDivRound(long long a, long long b, long long c) {
  if (c == 0)
    return 0;
  const long long kSmall = 1LL << 31;
  if (a > -kSmall && a < kSmall && b > -2 * kSmall && b < 2 * kSmall) {
    const long long num = a * b;
    long long q = num / c;
    const long long r = num % c;
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -c : c))
      q += ((num < 0) != (c < 0)) ? -1 : 1;
    return SaturatingInt((long double)q);
  }
  // Out of the range that one 64-bit product holds: near enough.
  long double q = (long double)a * (long double)b / (long double)c;
  return SaturatingInt(q >= 0 ? floorl(q + 0.5L) : -floorl(-q + 0.5L));
}
