// Small helpers shared by the 2D tests: sets with data, and a message sink
// that records what the interpreter shows.
#pragma once

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "ndim/script/CommandInterpreter.h"
#include "ndim/data/Spectrum2D.h"

// A set as the readers leave it: f1 rows of f2 points, current dimension f2.
inline CSpectrum2D* MakeSet(int f1, int f2, bool real = false) {
  CSpectrum2D* set = new CSpectrum2D;
  set->m_nLastDim = 2;
  set->m_nCurrentDim = 2;
  set->m_bReal = real ? 1 : 0;
  set->m_dims[1].m_nPoints = f1;
  set->m_dims[2].m_nPoints = f2;
  set->AllocateData();
  set->ResetZoom();
  return set;
}

inline void FillRandom(CSpectrum2D& set, unsigned seed = 1) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
  const std::size_t n = static_cast<std::size_t>(set.GetTotalPoints()) * set.FloatsPerPoint();
  for (std::size_t i = 0; i < n; ++i)
    set.m_pData[i] = dist(gen);
}

inline std::vector<float> DataOf(const CSpectrum2D& set) {
  return std::vector<float>(set.m_pData,
                            set.m_pData + static_cast<std::size_t>(set.GetTotalPoints()) * set.FloatsPerPoint());
}

struct RecordingSink : CNdMessageSink {
  std::vector<std::string> messages;
  void ShowMessage(LPCSTR text) override { messages.push_back(text); }
};
