#include "onedim/import/ImportNuts.h"

#include <cmath>
#include <vector>

#include "framework/base/Endian.h"
#include "onedim/import/BrukerData.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

namespace {

const std::uint32_t kMagic = 0x04030201;
const std::size_t kDataStart = 1036;

}  // namespace

BOOL CNutsImporter::FailMemory() {
  return FailLogged("Memory exhausted. Importing aborted");
}

BOOL CNutsImporter::DoImport() {
  History("Starting traslation for " + m_strPath + " Nuts data type");
  CFile file;
  if (!OpenFile(file, m_strPath))
    return FailLogged("Failed to open " + m_strPath + " file");
  History(m_strPath + " correctly opened");

  const std::vector<BYTE> head = ReadHead(file, kDataStart);
  if (head.size() < 4 || ReadU32LE(head.data()) != kMagic) {
    file.Abort();
    return FailLogged(m_strPath + " is not a Nuts data type");
  }
  History(m_strPath + " is a Nuts data type");
  if (head.size() < kDataStart)
    return FailShortHeader();

  const BYTE* h = head.data();
  const std::int32_t nPoints = ReadI32LE(h + 384);
  CSpectrumParams params;
  params.bConjugate = ReadI32LE(h + 388) == 1 ? 1 : 0;
  params.sw = ReadF32LE(h + 448);
  params.sf = ReadF32LE(h + 452);
  const double x = ReadF32LE(h + 456);
  params.bComplex = 1;
  params.title = "Untitled";
  if (!CheckSize(2LL * nPoints))
    return FALSE;
  params.td = 2 * nPoints;
  const double dShift = params.sw != 0.0 ? x * (params.td / params.sw) : 0.0;
  params.offset = params.sw != 0.0 && std::isfinite(dShift) ? params.td / 2 - dShift : NoOffset();

  const std::size_t nBytes = (std::size_t)params.td * 4;
  if (!HasBytes(file, kDataStart, nBytes))
    return FailShortData();
  std::unique_ptr<float[]> pData(CSpectrum::AllocateFloats(params.td));
  if (!pData)
    return FailMemory();
  std::unique_ptr<BYTE[]> pBytes = NewBytes(nBytes);
  if (!pBytes)
    return FailMemory();
  if (!ReadAt(file, kDataStart, pBytes.get(), nBytes))
    return FailShortData();
  file.Abort();
  for (int i = 0; i < params.td; ++i)
    pData[i] = ReadF32LE(pBytes.get() + 4 * (std::size_t)i);
  if (!AddFilledSpectrum(params, std::move(pData)))
    return FALSE;
  History("Nuts file correctly imported");
  return TRUE;
}
