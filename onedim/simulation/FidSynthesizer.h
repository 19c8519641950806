// A free induction decay made from a table of signals: each a damped complex
// exponential of its frequency, intensity, phase and line width. The Fid
// Simulation dialog fills one on its stack and lets it write the new
// spectrum's data.
#pragma once

#include <vector>

#include "framework/base/WinTypes.h"

// One signal of the table.
struct CFidSignal {
  double dLineWidth;  // Hz, full width at half height of the transformed line
  double dIntensity;
  double dPhase;      // radians
  double dFrequency;  // Hz on the transformed spectrum's axis (0 ... sw)
};

class CFidSynthesizer {
 public:
  // pTarget receives nFloats floats (interleaved real and imaginary); the
  // synthesizer keeps its own copy of the signals.
  CFidSynthesizer(float* pTarget, const std::vector<CFidSignal>& signals, double dOperatingFrequency,
                  double dSpectralWidth, int nFloats);
  virtual ~CFidSynthesizer();

  // One complex point per dwell time 1/sw. FALSE, leaving the target as it
  // was, for no target, an odd or negative size, a spectral width that is
  // not a positive number, or a signal that is not finite.
  BOOL Synthesize();

 private:
  float* m_pTarget;
  int m_nSignals;
  [[maybe_unused]] double m_dOperatingFrequency;  // MHz; frequencies are given in Hz
  double m_dSpectralWidth;       // Hz
  int m_nFloats;
  CFidSignal* m_pSignals;  // owned

  CFidSynthesizer(const CFidSynthesizer&) = delete;
  CFidSynthesizer& operator=(const CFidSynthesizer&) = delete;
};
