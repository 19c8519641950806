#include "onedim/import/ImportVhelper.h"

#include <cmath>
#include <string>
#include <vector>

#include "framework/base/Endian.h"
#include "onedim/import/BrukerData.h"
#include "onedim/import/ByteOrder.h"
#include "onedim/import/ImportPath.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

namespace {

// Bytes up to the end of the frequency record at 784, and of the one at 800.
const std::size_t kAcqparNamed = 798;
const std::size_t kAcqparSize = 814;

}  // namespace

BOOL CVhelperImporter::DoImport() {
  CFile data;
  if (!OpenFile(data, m_strPath))
    return Fail("Cannot open file");
  CFile acqpar;
  if (!OpenFile(acqpar, GetImportFolder(m_strPath) + "ACQPAR"))
    return Fail("Cannot open file");

  const std::vector<BYTE> head = ReadHead(acqpar, kAcqparSize);
  acqpar.Abort();
  if (head.size() < kAcqparNamed)
    return FailShortHeader();
  const BYTE* h = head.data();
  const BOOL bNamed = TokenBeginsWith(std::string(h + 784, h + 790), "SFRQ");
  if (!bNamed && head.size() < kAcqparSize)
    return FailShortHeader();
  CSpectrumParams params;
  params.sw = ReadF32LE(h + 58);
  const double dPoints = std::trunc((double)ReadF32LE(h + 90));
  params.sf = ReadF32LE(h + (bNamed ? 794 : 810));
  params.aqmode = 1;
  params.bComplex = 1;
  params.bConjugate = 1;

  if (!(dPoints >= 1.0 && dPoints <= (double)(kMaxImportFloats / 2))) {
    CString strError;
    strError.Format("Invalid number of data points (td = %g).\nImporting aborted", 2.0 * dPoints);
    return FailLogged(strError);
  }
  params.td = 2 * (int)dPoints;
  // A data file shorter than ACQPAR says gives the points it holds.
  const ULONGLONG nWords = data.GetLength() / 4;
  if (nWords < (ULONGLONG)params.td) {
    params.td = (int)(nWords & ~(ULONGLONG)1);
    CString strLine;
    strLine.Format("The data file holds %d values only", params.td);
    History(strLine);
  }
  if (!CheckSize(params.td))
    return FALSE;

  const std::size_t nBytes = (std::size_t)params.td * 4;
  std::unique_ptr<BYTE[]> pBytes = NewBytes(nBytes);
  if (!pBytes)
    return Fail("Cannot allocate memory");
  if (!ReadAt(data, 0, pBytes.get(), nBytes))
    return FailShortData();
  data.Abort();

  std::unique_ptr<float[]> pData(CSpectrum::AllocateFloats(params.td));
  if (!pData)
    return FailMemory();
  const CByteOrder order;
  for (int i = 0; i < params.td; ++i)
    pData[i] = (float)(std::int32_t)order.Reverse32(ReadU32LE(pBytes.get() + 4 * (std::size_t)i));
  return AddFilledSpectrum(params, std::move(pData));
}
