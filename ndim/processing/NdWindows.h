// Window functions of the 2D program. They shape the weight vector
// w[0 .. n-1] of the current dimension in place; k0 is the first-point
// offset (the time origin), sw the spectral width in Hz. Each returns false
// and leaves the weights alone when its parameters make no window.
#pragma once

// exp(-pi lb (k - k0) / sw); lb in Hz
bool NdWindowExponential(float* w, int n, int k0, double sw, double lb);
// exp(c (k - k0)^2), c = -+(pi gb / (2 sw))^2 / ln 2; a negative gb raises the weights
bool NdWindowGaussian(float* w, int n, int k0, double sw, double gb);
// sin(a0 + (k - k0)(pi - a0) / (n - k0)), a0 = shift in degrees; squared when asked
bool NdWindowSineBell(float* w, int n, int k0, double shiftDegrees, bool squared);
// only w[0] times factor
bool NdWindowFirstPoint(float* w, int n, double factor);

// 2^e without overflow for any e (0 far below, a large finite value far above).
double NdPow2(double e);
