// Conversion of complex pairs (re, im) in place between cartesian and polar
// form, for the Magnitude and Power commands and their inverses.
#pragma once

// (re, im) -> (sqrt(re^2 + im^2), atan2(im, re)) for nPairs pairs.
void ToMagnitude(float* pPairs, int nPairs);
// (re, im) -> (re^2 + im^2, atan2(im, re)).
void ToPower(float* pPairs, int nPairs);
// (r, a) -> (r cos a, r sin a).
void PolarToCartesian(float* pPairs, int nPairs);
