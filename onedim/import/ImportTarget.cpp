#include "onedim/import/ImportTarget.h"

#include <cstring>

#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

BOOL AddImportedSpectrum(CImportTarget& target, const CSpectrumParams& params, std::unique_ptr<float[]> data,
                         BOOL bAtEnd) {
  std::unique_ptr<float[]> raw(CSpectrum::AllocateFloats(params.td));
  if (!raw)
    return FALSE;
  std::memcpy(raw.get(), data.get(), (std::size_t)params.td * sizeof(float));
  CSpectrum* pSpectrum = target.AddSpectrum(params, bAtEnd);
  if (pSpectrum == nullptr)
    return FALSE;
  pSpectrum->m_pData = data.release();
  pSpectrum->m_pRawData = raw.release();
  return TRUE;
}
