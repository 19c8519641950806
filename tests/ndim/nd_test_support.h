// Small helpers shared by the 2D tests: sets with data, and a message sink
// that records what the interpreter shows.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ndim/data/Spectrum2D.h"
#include "ndim/document/NdDialogCommands.h"
#include "ndim/script/CommandInterpreter.h"

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

// The point of a complex set's largest modulus among the first f1 x f2
// points (the half a hypercomplex set shows).
struct NdStrongest {
  int row = 0, column = 0;
};
inline NdStrongest StrongestPoint(const CSpectrum2D& set) {
  NdStrongest s;
  const int n = set.m_dims[2].m_nPoints;
  double largest = -1.0;
  for (int r = 0; r < set.m_dims[1].m_nPoints; ++r)
    for (int k = 0; k < n; ++k) {
      const float* p = set.m_pData + 2 * (static_cast<std::size_t>(r) * n + k);
      const double m = static_cast<double>(p[0]) * p[0] + static_cast<double>(p[1]) * p[1];
      if (m > largest) {
        largest = m;
        s.row = r;
        s.column = k;
      }
    }
  return s;
}

// The ppm of the largest value (in size) of a TopSpin processed 2rr of
// little-endian words (BYTORDP 0), from the OFFSET (ppm of its first
// point), SW_p (Hz), SF and SI of the procs beside it; NaN when either file
// cannot be read.
inline double StrongestPpmOf2rr(const std::string& pdata) {
  FILE* f = std::fopen((pdata + "/procs").c_str(), "rb");
  if (f == nullptr)
    return std::nan("");
  std::string procs;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
    procs.append(buffer, n);
  std::fclose(f);
  auto value = [&](const char* name) {
    const std::size_t at = procs.find(std::string("##$") + name + "= ");
    return at == std::string::npos ? std::nan("") : std::atof(procs.c_str() + at + std::strlen(name) + 5);
  };
  const double offset = value("OFFSET"), width = value("SW_p"), sf = value("SF"), si = value("SI");
  f = std::fopen((pdata + "/2rr").c_str(), "rb");
  if (f == nullptr)
    return std::nan("");
  long best = -1;
  double largest = -1.0;
  unsigned char word[4];
  for (long i = 0; std::fread(word, 1, 4, f) == 4; ++i) {
    const std::int32_t v =
        static_cast<std::int32_t>(word[0] | word[1] << 8 | word[2] << 16 | static_cast<std::uint32_t>(word[3]) << 24);
    if (std::fabs(static_cast<double>(v)) > largest) {
      largest = std::fabs(static_cast<double>(v));
      best = i;
    }
  }
  std::fclose(f);
  return offset - static_cast<double>(best % static_cast<long>(si)) * width / sf / si;
}

// What OK in the Fourier Transform dialog runs with its first choices,
// dimension after dimension while they ask for the next, as the document's
// command goes on; the lines that ran.
inline std::vector<std::string> TransformWithFirstChoices(CSpectrum2D& set) {
  std::vector<std::string> ran;
  CCommandInterpreter interpreter;
  int divisor = 16;
  for (int dim = set.m_nCurrentDim; dim > 0; dim = set.m_nCurrentDim) {
    const FourierChoices c = FourierInitialChoices(set);
    for (const std::string& line : FourierCommandLines(c, set, divisor)) {
      interpreter.Execute(set, line.c_str());
      ran.push_back(line);
    }
    FinishFourier(set, c.m_bApodize);
    if (!c.m_bNextDimension || set.m_nCurrentDim == dim)
      break;
  }
  return ran;
}
