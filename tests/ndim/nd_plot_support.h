// A 2D Gaussian to draw: its half-height contour is a circle of known
// radius, its raster a filled disc.
#pragma once

#include <cmath>
#include <cstddef>

#include "ndim/data/Spectrum2D.h"

// Real parts a exp(-(dx² + dy²) / (2 sigma²)) about (cx, cy) in points;
// imaginary parts 0.
inline void FillGaussian(CSpectrum2D& set, double cx, double cy, double sigma, double a) {
  const int rows = set.m_dims[1].m_nPoints, columns = set.m_dims[2].m_nPoints;
  const int u = set.FloatsPerPoint();
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const double d2 = (c - cx) * (c - cx) + (r - cy) * (r - cy);
      float* p = set.m_pData + (static_cast<std::size_t>(r) * columns + c) * u;
      p[0] = static_cast<float>(a * std::exp(-d2 / (2 * sigma * sigma)));
      if (u == 2)
        p[1] = 0.0f;
    }
  }
}

// Radius (points) at which the Gaussian falls to the fraction f of its top.
inline double GaussianRadius(double sigma, double f) {
  return sigma * std::sqrt(-2 * std::log(f));
}
