// Float-to-integer conversion for pixel and index arithmetic: values beyond
// the int range stick at its ends and NaN gives 0, where a plain cast would
// be undefined.
#pragma once

#include <climits>

inline int SaturatingInt(long double v) {
  if (v != v)
    return 0;
  if (v >= (long double)INT_MAX)
    return INT_MAX;
  if (v <= (long double)INT_MIN)
    return INT_MIN;
  return (int)v;
}
