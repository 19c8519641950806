#include "onedim/processing/PolarConversion.h"

#include <cmath>

void ToMagnitude(float* pPairs, int nPairs) {
  if (pPairs == nullptr)
    return;
  for (int k = 0; k < nPairs; k++) {
    const long double re = pPairs[2 * k];
    const long double im = pPairs[2 * k + 1];
    pPairs[2 * k] = (float)std::sqrt(re * re + im * im);
    pPairs[2 * k + 1] = (float)std::atan2(im, re);
  }
}

void ToPower(float* pPairs, int nPairs) {
  if (pPairs == nullptr)
    return;
  for (int k = 0; k < nPairs; k++) {
    const long double re = pPairs[2 * k];
    const long double im = pPairs[2 * k + 1];
    pPairs[2 * k] = (float)(re * re + im * im);
    pPairs[2 * k + 1] = (float)std::atan2(im, re);
  }
}

void PolarToCartesian(float* pPairs, int nPairs) {
  if (pPairs == nullptr)
    return;
  for (int k = 0; k < nPairs; k++) {
    const long double r = pPairs[2 * k];
    const long double a = pPairs[2 * k + 1];
    pPairs[2 * k] = (float)(r * std::cos(a));
    pPairs[2 * k + 1] = (float)(r * std::sin(a));
  }
}
