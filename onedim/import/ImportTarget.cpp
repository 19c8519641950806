#include "onedim/import/ImportTarget.h"

#include <cstring>

#include "framework/base/String.h"

#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

CSpectrum* AddImportedSpectrum(CImportTarget& target, const CSpectrumParams& params, std::unique_ptr<float[]> data,
                               BOOL bAtEnd) {
  std::unique_ptr<float[]> raw(CSpectrum::AllocateFloats(params.td));
  if (!raw)
    return nullptr;
  std::memcpy(raw.get(), data.get(), (std::size_t)params.td * sizeof(float));
  CSpectrum* pSpectrum = target.AddSpectrum(params, bAtEnd);
  if (pSpectrum == nullptr)
    return nullptr;
  pSpectrum->m_pData = data.release();
  pSpectrum->m_pRawData = raw.release();
  return pSpectrum;
}

void OpenAsTransformed(CSpectrum& spectrum, BOOL bBrukerImport) {
  // Complex points with zero frequency in the middle, conjugated (or not)
  // as the file's own FID would have been.
  spectrum.SetFrequencyDomain(TRUE, TRUE, spectrum.m_paramsA.bConjugate, bBrukerImport);
}

LPCSTR GroupDelayFault(double dGroupDelay, int td, BOOL bUnreadable) {
  if (bUnreadable)
    return "is not a number";
  if (dGroupDelay < 0.0)
    return "is negative";
  if (dGroupDelay >= td / 2)
    return "is not less than the number of points";
  return nullptr;
}

void CheckFidGroupDelay(CImportTarget& target, CSpectrumParams& params, BOOL bUnreadable, LPCSTR lpszSource) {
  LPCSTR lpszFault = GroupDelayFault(params.GRPDLY, params.td, bUnreadable);
  if (lpszFault == nullptr)
    return;
  // Firmware the table knows needs no GRPDLY (older acqus write -1 there).
  if (GetFilterTableDelay(params.DECIM, params.DSPFVS) <= 0.0) {
    CString strValue;
    if (!bUnreadable)
      strValue.Format(" (%.10g)", params.GRPDLY);
    target.AppendHistory(CString("GRPDLY of ") + lpszSource + strValue + " " + lpszFault +
                         ": the FID is not rotated for the digital filter");
  }
  params.GRPDLY = 0.0;
}
