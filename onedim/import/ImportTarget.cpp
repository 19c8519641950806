#include "onedim/import/ImportTarget.h"

#include <cstring>

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
