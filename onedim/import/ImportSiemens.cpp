#include "onedim/import/ImportSiemens.h"

#include <cstring>

#include "framework/base/Endian.h"
#include "onedim/import/ByteOrder.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

namespace {

const int kPoints = 2048;  // floats
const std::size_t kDataStart = 6144;

}  // namespace

BOOL CSiemensImporter::FailMemory() {
  return FailLogged("Memory exhausted. Importing aborted");
}

BOOL CSiemensImporter::DoImport() {
  History("Starting traslation for " + m_strPath + " SIEMENS data type");
  CFile file;
  if (!OpenFile(file, m_strPath, TRUE))
    return FailLogged("Failed to open " + m_strPath + " file");
  History(m_strPath + " correctly opened");

  CSpectrumParams params;
  params.td = kPoints;
  params.sw = 1000.0;
  params.sf = 63.8655;
  params.bComplex = 1;
  params.offset = 0.0;

  BYTE bytes[kPoints * 4];
  if (!ReadAt(file, kDataStart, bytes, sizeof bytes))
    return FailShortData();
  std::unique_ptr<float[]> pData(CSpectrum::AllocateFloats(params.td));
  if (!pData)
    return FailMemory();
  file.Abort();
  const CByteOrder order;
  for (int i = 0; i < kPoints; ++i) {
    order.Reverse32InPlace(bytes + 4 * i);
    pData[i] = ReadF32LE(bytes + 4 * i);
  }
  return AddFilledSpectrum(params, std::move(pData));
}
