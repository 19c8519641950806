#include "onedim/import/ImportTecmag.h"

#include <cstring>
#include <vector>

#include "framework/base/Endian.h"
#include "onedim/import/BrukerData.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

namespace {

const std::size_t kDataStart = 1056;

}  // namespace

BOOL CTecmagImporter::FailMemory() {
  return FailLogged("Memory exhausted. Importing aborted");
}

BOOL CTecmagImporter::DoImport() {
  History("Starting traslation for " + m_strPath + " NTNMR tecmag data type");
  CFile file;
  if (!OpenFile(file, m_strPath, TRUE))
    return FailLogged("Failed to open " + m_strPath + " file");
  History(m_strPath + " correctly opened");

  const std::vector<BYTE> head = ReadHead(file, kDataStart);
  if (head.size() < 3 || std::memcmp(head.data(), "TNT", 3) != 0)
    return Fail("Not a TECMAG file");
  if (head.size() < kDataStart)
    return FailShortHeader();

  const BYTE* h = head.data();
  const std::int32_t nPoints = ReadI32LE(h + 20);
  CSpectrumParams params;
  params.sf = ReadF64LE(h + 104);
  const double y = ReadF64LE(h + 200);
  const double x = ReadF64LE(h + 260);
  params.sw = 2.0 * x;
  const std::int32_t nLength = ReadI32LE(h + 1052);
  params.aqmode = 1;
  params.bComplex = 1;
  params.bConjugate = 1;

  // The length field decides; a file that holds fewer values gives those,
  // and an odd count loses its last value.
  long long td = nLength / 4;
  const ULONGLONG nInFile = (file.GetLength() - kDataStart) / 4;
  if (td > 0 && (ULONGLONG)td > nInFile) {
    td = (long long)nInFile;
    CString strLine;
    strLine.Format("The file holds %lld values only", td);
    History(strLine);
  }
  td &= ~1LL;
  if (!CheckSize(td))
    return FALSE;
  params.td = (int)td;
  params.offset = SafeOffset((x + y) * nPoints, x);

  std::unique_ptr<float[]> pData(CSpectrum::AllocateFloats(params.td));
  if (!pData)
    return FailMemory();
  const std::size_t nBytes = (std::size_t)params.td * 4;
  std::unique_ptr<BYTE[]> pBytes = NewBytes(nBytes);
  if (!pBytes)
    return FailMemory();
  if (!ReadAt(file, kDataStart, pBytes.get(), nBytes))
    return FailShortData();
  file.Abort();
  for (int i = 0; i < params.td; ++i)
    pData[i] = ReadF32LE(pBytes.get() + 4 * (std::size_t)i);
  return AddFilledSpectrum(params, std::move(pData));
}
