// The visible range of the current spectrum as Set Limits gives it in axis
// units.
#include <algorithm>
#include <cmath>

#include "numerics/Saturate.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"

namespace {

// The float index of an axis value (truncated), or FALSE where the
// parameters give none.
BOOL AxisValueToIndex(const CSpectrum& spectrum, int nUnits, double dValue, int& nIndex) {
  const CSpectrumParams& p = spectrum.m_paramsA;
  double dIndex = 0.0;
  switch (nUnits) {
    case AXIS_UNITS_POINTS:
      dIndex = 2.0 * dValue;
      break;
    case AXIS_UNITS_SECONDS:
      if (p.aq == 0.0)
        return FALSE;
      dIndex = dValue * p.td / p.aq;
      break;
    case AXIS_UNITS_HZ:
      if (p.sw == 0.0)
        return FALSE;
      dIndex = p.td * (p.sw - dValue) / p.sw - p.offset;
      break;
    case AXIS_UNITS_PPM:
      if (p.sw == 0.0)
        return FALSE;
      dIndex = p.td * (p.sw - dValue * p.sf) / p.sw - p.offset;
      break;
    default:
      return FALSE;
  }
  if (!std::isfinite(dIndex))
    return FALSE;
  nIndex = SaturatingInt(std::trunc(dIndex));
  // An odd index would start on an imaginary part.
  if (nIndex % 2 != 0)
    nIndex -= 1;
  return TRUE;
}

}  // namespace

BOOL CBrivaneProDoc::GetVisibleLimits(double& dFrom, double& dTo) const {
  const CSpectrum* pSpectrum = m_pCurrent;
  if (pSpectrum == nullptr)
    return FALSE;
  const int nUnits = pSpectrum->m_Scale.m_nUnits;
  dFrom = pSpectrum->ConvertUnits(pSpectrum->m_nFirst, nUnits);
  dTo = pSpectrum->ConvertUnits(pSpectrum->m_nLast, nUnits);
  return TRUE;
}

BOOL CBrivaneProDoc::SetVisibleLimits(double dFrom, double dTo) {
  CSpectrum* pSpectrum = m_pCurrent;
  if (pSpectrum == nullptr)
    return FALSE;
  const int nUnits = pSpectrum->m_Scale.m_nUnits;
  const int td = pSpectrum->m_paramsA.td;
  int nA = 0, nB = 0;
  if (!AxisValueToIndex(*pSpectrum, nUnits, dFrom, nA) || !AxisValueToIndex(*pSpectrum, nUnits, dTo, nB))
    return FALSE;
  const int nFirst = std::max(0, std::min(std::min(nA, nB), td));
  const int nLast = std::max(0, std::min(std::max(nA, nB), td));
  // A range that the clamp closed shows nothing of the data.
  if (nFirst >= nLast)
    return FALSE;
  pSpectrum->m_nFirst = nFirst;
  pSpectrum->m_nLast = nLast;
  SetModified();
  UpdateViews();
  m_pHost->SetHorzScrollBar(0, td, nLast - nFirst, nFirst, TRUE);
  return TRUE;
}
