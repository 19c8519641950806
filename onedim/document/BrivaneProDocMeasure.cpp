// The 1D document's coupling measurements, referencing and the intensities
// of the relaxation tool.
#include <cmath>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/MeasureJ.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

namespace {

bool InData(const CSpectrum& s, long long nIndex) {
  return s.m_pData != nullptr && nIndex >= 0 && nIndex < s.m_paramsA.td;
}

CString TwoDecimals(double dValue) {
  CString text;
  text.Format("%.2lf", dValue);
  return text;
}

}  // namespace

void CBrivaneProDoc::StartCoupling(int nIndex) {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr || !InData(*s, nIndex))
    return;
  CMeasureJ* pMeasure = new CMeasureJ(nIndex);
  s->m_arrCouplings.Add(pMeasure);
  s->m_pCurrentJ = pMeasure;
  s->m_bMeasuringJ = 1;
}

void CBrivaneProDoc::AddCouplingPartner(int nIndex) {
  CSpectrum* s = m_pCurrent;
  // The table's Delete may have taken the measurement away.
  if (s == nullptr || !s->m_bMeasuringJ || s->m_pCurrentJ == nullptr || !InData(*s, nIndex))
    return;
  s->m_pCurrentJ->m_arrPartners.Add(nIndex);
  s->m_pCurrentJ->m_arrShown.Add(0);
}

BOOL CBrivaneProDoc::ReferencePoint(int nIndex, double dShift) {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr || !InData(*s, nIndex))
    return FALSE;
  CSpectrumParams& p = s->m_paramsA;
  if (!(p.sw > 0.0) || !(p.sf > 0.0) || !std::isfinite(p.sw) || !std::isfinite(p.sf))
    return FALSE;
  // The point's float index plus the offset is where the scale has
  // td x sf x shift / sw before its end; the offset is kept exact so that
  // the point shows the shift typed, not one a point away.
  const double dOffset = p.td - ((double)p.td * p.sf * dShift / p.sw + nIndex);
  if (!std::isfinite(dOffset))
    return FALSE;
  p.offset = dOffset;
  SetModified();
  UpdateViews();
  return TRUE;
}

std::vector<CString> CBrivaneProDoc::GetRelaxationIntensities() const {
  std::vector<CString> texts;
  if (!m_bRelaxationIntegral) {
    const int nIndex = m_RelaxationPeak.m_nIndex;
    for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
      const CSpectrum* s = m_Spectra.GetSpectrum(pos);
      texts.push_back(InData(*s, nIndex) ? TwoDecimals(s->m_pData[nIndex]) : CString());
    }
    return texts;
  }
  // Plain sums over the region, one value per complex point, relative to
  // the first spectrum's.
  std::vector<double> sums;
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
    const CSpectrum* s = m_Spectra.GetSpectrum(pos);
    double dSum = 0.0;
    for (long long i = m_nRelaxationStart; i < m_nRelaxationEnd; i += 2) {
      if (InData(*s, i))
        dSum += s->m_pData[i];
    }
    sums.push_back(dSum);
  }
  const double dFirst = sums.empty() || std::fabs(sums[0]) <= 1e-7 ? 1.0 : sums[0];
  for (double dSum : sums)
    texts.push_back(TwoDecimals(dSum / dFirst));
  return texts;
}
