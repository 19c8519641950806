#include "onedim/import/ImportSwanMr.h"

#include <cstring>
#include <new>
#include <vector>

#include "framework/base/Endian.h"
#include "onedim/import/BrukerData.h"
#include "onedim/import/ByteOrder.h"
#include "onedim/import/ImportPath.h"
#include "onedim/model/Spectrum.h"

namespace {

const std::size_t kDataStart = 512;

const char kShortHeader[] = "The file ends inside its header.\nImporting aborted";
const char kShortData[] = "The file holds fewer data points than its header says.\nImporting aborted";

}  // namespace

BOOL CSwanMrFile::Fail(LPCSTR lpszError) {
  m_strError = lpszError;
  return FALSE;
}

BOOL CSwanMrFile::Read(LPCSTR lpszPath) {
  m_pData.reset();
  m_nPoints = 0;
  m_strError.Empty();
  CFile file;
  if (!OpenImportFile(file, lpszPath))
    return Fail(CString("Failed to open ") + lpszPath + " file");

  BYTE head[kDataStart];
  const ULONGLONG nLength = file.GetLength();
  if (nLength < kDataStart || file.Read(head, sizeof head) != sizeof head)
    return Fail(kShortHeader);
  const std::int32_t nPoints = ReadI32BE(head + 32);
  m_params.sw = ReadF32BE(head + 40);
  m_params.sf = ReadF32BE(head + 48);
  m_nBytesPerPoint = ReadI16BE(head + 130) != 0 ? 4 : 8;
  if (nPoints < 1 || nPoints > kMaxImportFloats / 2) {
    CString strError;
    strError.Format("Invalid number of data points (td = %lld).\nImporting aborted", 2LL * nPoints);
    return Fail(strError);
  }
  m_params.td = 2 * nPoints;

  const ULONGLONG nBytes = (ULONGLONG)nPoints * (ULONGLONG)m_nBytesPerPoint;
  if (nBytes > nLength - kDataStart)
    return Fail(kShortData);
  m_pData.reset(new (std::nothrow) BYTE[(std::size_t)nBytes]);
  if (!m_pData)
    return Fail("Memory exhausted. \nImporting aborted");
  if (file.Read(m_pData.get(), (UINT)nBytes) != nBytes) {
    m_pData.reset();
    return Fail(kShortData);
  }
  m_nPoints = nPoints;
  return TRUE;
}

BOOL CSwanMrImporter::DoImport() {
  CSwanMrFile reader;
  if (!reader.Read(m_strPath))
    return FailLogged(reader.GetError());

  CSpectrumParams params;
  params.CopyFrom(reader.GetParams());
  params.bComplex = 1;
  params.bConjugate = 0;
  std::unique_ptr<float[]> pData(CSpectrum::AllocateFloats(params.td));
  if (!pData)
    return FailMemory();
  // Four bytes a point are real values only: they become (value, 0) pairs.
  const int nStep = reader.GetBytesPerPoint() == 4 ? 2 : 1;
  const int nValues = params.td / nStep;
  const CByteOrder order;
  for (int i = 0; i < nValues; ++i) {
    BYTE group[4];
    std::memcpy(group, reader.GetData() + 4 * (std::size_t)i, 4);
    order.Reverse32InPlace(group);
    pData[(std::size_t)i * nStep] = ReadF32LE(group);
  }
  return AddFilledSpectrum(params, std::move(pData));
}
