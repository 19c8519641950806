// Spectra built for the tests: buffers of exactly td floats, so that the
// sanitizers catch any read or write outside them.
#pragma once

#include <functional>
#include <memory>

#include "onedim/model/Spectrum.h"

inline std::unique_ptr<CSpectrum> MakeSpectrum(int td, const std::function<float(int)>& fill = {}, double sw = 5000.0,
                                               double sf = 400.0, double offset = 0.0) {
  CSpectrumParams params;
  params.td = td;
  params.sw = sw;
  params.sf = sf;
  params.offset = offset;
  auto s = std::make_unique<CSpectrum>(params);
  s->m_pData = CSpectrum::AllocateFloats(td);
  s->m_pRawData = CSpectrum::AllocateFloats(td);
  s->m_pWeighted = CSpectrum::AllocateFloats(td);
  for (int i = 0; fill && i < td; i++) {
    s->m_pData[i] = fill(i);
    s->m_pRawData[i] = fill(i);
  }
  return s;
}
