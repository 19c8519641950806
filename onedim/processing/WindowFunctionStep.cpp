#include "onedim/processing/WindowFunctionStep.h"

#include <cstring>

#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"
#include "onedim/processing/FastFourier.h"
#include "onedim/model/WindowFunction.h"

namespace {

const char kNoWindow[] = "The spectrum has no window function";

// The digital-filter delay of the parameters as acquired: the current
// block's DECIM is 0 after a transform.
double AcquiredGroupDelay(CSpectrum& spectrum) {
  CSpectrumParams& a = spectrum.m_paramsA;
  const int decim = a.DECIM, dspfvs = a.DSPFVS;
  a.DECIM = spectrum.m_paramsB.DECIM;
  a.DSPFVS = spectrum.m_paramsB.DSPFVS;
  const double delay = spectrum.GetGroupDelay();
  a.DECIM = decim;
  a.DSPFVS = dspfvs;
  return delay;
}

}  // namespace

BOOL ApplyWindowToSpectrum(CSpectrum& spectrum, BOOL bInteractive, float fPhase0, float fPhase1, const char** message) {
  CWindowFunction* window = spectrum.m_pWindow;
  if (!window || !spectrum.m_pData || !spectrum.m_pWeighted) {
    if (message)
      *message = kNoWindow;
    return FALSE;
  }
  if (!window->Apply(message))
    return FALSE;
  const int td = spectrum.m_paramsA.td;
  std::memcpy(spectrum.m_pData, spectrum.m_pWeighted, sizeof(float) * td);

  if (bInteractive) {
    const CSpectrumParams& b = spectrum.m_paramsB;
    CFastFourier fft;
    fft.SetData(spectrum.m_pData, td, b.aqmode == 1 ? 1 : 0, b.bComplex, 0);
    fft.m_bConjugate = b.bConjugate;
    if (b.DECIM > 1)
      spectrum.Rotate(static_cast<int>(AcquiredGroupDelay(spectrum)));
    fft.HalveFirstPoint();
    fft.RemoveDrift();
    fft.Transform();
    spectrum.m_Scale.m_nUnits = AXIS_UNITS_PPM;
    if (spectrum.m_bPhaseChanged) {
      spectrum.m_dPhase0 = 0.0;
      spectrum.m_dPhase1 = 0.0;
      spectrum.SetPhase(fPhase0, fPhase1);
    }
  }
  spectrum.m_bDataChanged = 1;
  return TRUE;
}
