// The set the 2D plot benchmarks draw: a grid of peaks of both signs on
// noise, rows of f2 points, real.
#pragma once

#include <cmath>
#include <random>

#include "ndim/data/Spectrum2D.h"

inline CSpectrum2D* MakeBenchSet(int rows, int columns) {
  CSpectrum2D* set = new CSpectrum2D;
  set->m_nLastDim = 2;
  set->m_nCurrentDim = 2;
  set->m_bReal = 1;
  set->m_dims[1].m_nPoints = rows;
  set->m_dims[2].m_nPoints = columns;
  set->AllocateData();
  set->ResetZoom();
  std::mt19937 gen(7);
  std::normal_distribution<float> noise(0.0f, 60.0f);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      // Peaks every 128 columns and 64 rows, alternating in sign.
      const double dx = std::remainder(c, 128.0), dy = std::remainder(r, 64.0);
      const double sign = ((c / 128 + r / 64) % 2) ? -1.0 : 1.0;
      const double peak = sign * 20000.0 * std::exp(-(dx * dx / 50.0 + dy * dy / 12.0));
      set->m_pData[static_cast<size_t>(r) * columns + c] = static_cast<float>(peak) + noise(gen);
    }
  }
  return set;
}
