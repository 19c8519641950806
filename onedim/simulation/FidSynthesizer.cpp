#include "onedim/simulation/FidSynthesizer.h"

#include <cmath>

#include "numerics/Constants.h"

CFidSynthesizer::CFidSynthesizer(float* pTarget, const std::vector<CFidSignal>& signals, double dOperatingFrequency,
                                 double dSpectralWidth, int nFloats)
    : m_pTarget(pTarget),
      m_nSignals((int)signals.size()),
      m_dOperatingFrequency(dOperatingFrequency),
      m_dSpectralWidth(dSpectralWidth),
      m_nFloats(nFloats),
      m_pSignals(new CFidSignal[signals.size()]) {
  for (int i = 0; i < m_nSignals; i++)
    m_pSignals[i] = signals[(size_t)i];
}

CFidSynthesizer::~CFidSynthesizer() {
  delete[] m_pSignals;
}

BOOL CFidSynthesizer::Synthesize() {
  if (m_pTarget == nullptr || m_nFloats < 0 || m_nFloats % 2 != 0 || !(m_dSpectralWidth > 0.0) ||
      !std::isfinite(m_dSpectralWidth))
    return FALSE;
  for (int s = 0; s < m_nSignals; s++) {
    const CFidSignal& signal = m_pSignals[s];
    if (!std::isfinite(signal.dLineWidth) || !std::isfinite(signal.dIntensity) || !std::isfinite(signal.dPhase) ||
        !std::isfinite(signal.dFrequency))
      return FALSE;
  }
  const double dDwell = 1.0 / m_dSpectralWidth;
  for (int k = 0; k < m_nFloats / 2; k++) {
    const double t = k * dDwell;
    double re = 0.0, im = 0.0;
    for (int s = 0; s < m_nSignals; s++) {
      const CFidSignal& signal = m_pSignals[s];
      // The program's transform of this spectrum (no quadrature swap) puts
      // a signal turning at f Hz at f on its Hz axis. A Lorentzian of width
      // LW decays as exp(-pi LW t).
      const double dAngle = 2.0 * kPi * signal.dFrequency * t + signal.dPhase;
      const double dAmplitude = signal.dIntensity * std::exp(-kPi * std::fabs(signal.dLineWidth) * t);
      re += dAmplitude * std::cos(dAngle);
      im += dAmplitude * std::sin(dAngle);
    }
    m_pTarget[2 * k] = (float)re;
    m_pTarget[2 * k + 1] = (float)im;
  }
  return TRUE;
}
