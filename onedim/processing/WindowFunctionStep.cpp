#include "onedim/processing/WindowFunctionStep.h"

#include <cstring>

#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"
#include "onedim/processing/FourierTransformStep.h"
#include "onedim/model/WindowFunction.h"

namespace {

const char kNoWindow[] = "The spectrum has no window function";

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
    TransformAsRecorded(spectrum);
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
