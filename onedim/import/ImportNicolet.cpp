#include "onedim/import/ImportNicolet.h"

#include <cmath>
#include <new>
#include <vector>

#include "framework/base/Endian.h"
#include "onedim/import/BrukerData.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

namespace {

const std::size_t kDataStart = 1280;

int SignExtend20(std::uint32_t v) {
  v &= 0xFFFFFu;
  return (v & 0x80000u) ? (int)v - 0x100000 : (int)v;
}

// The packed word n, whose bytes the caller has checked.
int PackedWord(const BYTE* p, std::size_t n) {
  const BYTE* q = p + n / 2 * 5;
  if (n % 2 == 0)
    return SignExtend20(((std::uint32_t)q[0] << 12) | ((std::uint32_t)q[1] << 4) | (q[2] >> 4));
  return SignExtend20(((std::uint32_t)(q[2] & 0x0F) << 16) | ((std::uint32_t)q[3] << 8) | q[4]);
}

// Word indexes of the spectral width, acquisition time and frequency.
struct CLayout {
  int nMagic;
  int nWidth;
  int nTime;
  int nFrequency;
};

const CLayout kLayouts[] = {
    {11378, 324, 326, 330},
    {12818, 323, 325, 329},
    {57923, 390, 146, 394},
};

}  // namespace

std::size_t NicoletPackedSize(std::size_t nCount) {
  return nCount / 2 * 5 + (nCount % 2 ? 3 : 0);
}

BOOL ReadNicoletWord(const BYTE* pBytes, std::size_t nSize, int nIndex, int nMode, int& nWord) {
  nWord = 0;
  if (nIndex < 0)
    return FALSE;
  const std::size_t n = (std::size_t)nIndex;
  switch (nMode) {
    case 0:
      if (NicoletPackedSize(n + 1) > nSize)
        return FALSE;
      nWord = PackedWord(pBytes, n);
      return TRUE;
    case 1:
      if (n * 4 + 4 > nSize)
        return FALSE;
      nWord = SignExtend20(ReadU32BE(pBytes + n * 4));
      return TRUE;
    default:
      return TRUE;
  }
}

double NicoletReal(int w1, int w2) {
  long long m = (long long)w1 * 1024 + w2 % 256;
  const long long kTop = 1LL << 30;
  if (m > kTop)
    m = -(m - kTop);
  int e = w2 / 1024;
  if (e > 1024)
    e = -(e - 1024);
  if (m == 0)
    return 0.0;
  return std::ldexp((double)m, e - 29);
}

BOOL ReadNicoletReal(const BYTE* pBytes, std::size_t nSize, int nIndex, double& dValue) {
  int w1, w2;
  dValue = 0.0;
  if (!ReadNicoletWord(pBytes, nSize, nIndex, 0, w1) || !ReadNicoletWord(pBytes, nSize, nIndex + 1, 0, w2))
    return FALSE;
  dValue = NicoletReal(w1, w2);
  return TRUE;
}

void UnpackNicoletWords(const BYTE* pBytes, int* pValues, std::size_t nCount) {
  for (std::size_t n = 0; n < nCount; ++n)
    pValues[n] = PackedWord(pBytes, n);
}

BOOL CNicoletImporter::DoImport() {
  History("Attempting to import " + m_strPath + " file");
  CFile file;
  if (!OpenFile(file, m_strPath))
    return FailLogged("Failed to import Nicolet file (" + m_strPath + ")");

  const std::vector<BYTE> head = ReadHead(file, kDataStart);
  int nMagic = 0;
  ReadNicoletWord(head.data(), head.size(), 0, 0, nMagic);
  const CLayout* pLayout = nullptr;
  for (const CLayout& layout : kLayouts)
    if (layout.nMagic == nMagic)
      pLayout = &layout;
  if (pLayout == nullptr)
    return Fail("Not a Nicolet header");

  double sw, dTime, sf;
  if (!ReadNicoletReal(head.data(), head.size(), pLayout->nWidth, sw) ||
      !ReadNicoletReal(head.data(), head.size(), pLayout->nTime, dTime) ||
      !ReadNicoletReal(head.data(), head.size(), pLayout->nFrequency, sf) || head.size() < kDataStart)
    return FailShortHeader();

  CSpectrumParams params;
  params.sw = sw;
  params.aq = dTime * 0.000001;
  params.sf = sf;
  params.aqmode = 1;
  params.bComplex = 1;
  params.bConjugate = 0;
  // td = 2 AT SW made even; checked as a double, since the header may give
  // any value at all.
  const double dPoints = std::floor(2.0 * params.aq * params.sw);
  if (!(dPoints >= 0.0 && dPoints <= (double)kMaxImportFloats)) {
    CString strError;
    strError.Format("Invalid number of data points (td = %g).\nImporting aborted", dPoints);
    return FailLogged(strError);
  }
  params.td = (int)dPoints;
  if (params.td % 2 != 0)
    ++params.td;
  if (!CheckSize(params.td))
    return FALSE;

  const std::size_t nBytes = NicoletPackedSize((std::size_t)params.td);
  if (!HasBytes(file, kDataStart, nBytes))
    return FailShortData();
  std::unique_ptr<BYTE[]> pBytes = NewBytes(nBytes);
  std::unique_ptr<int[]> pWords(new (std::nothrow) int[(std::size_t)params.td]);
  if (!pBytes || !pWords)
    return Fail("Error allocating memory");
  if (!ReadAt(file, kDataStart, pBytes.get(), nBytes))
    return FailShortData();
  file.Abort();
  UnpackNicoletWords(pBytes.get(), pWords.get(), (std::size_t)params.td);

  std::unique_ptr<float[]> pData(CSpectrum::AllocateFloats(params.td));
  if (!pData)
    return FailMemory();
  const int nHalf = params.td / 2;
  for (int k = 0; k < nHalf; ++k) {
    pData[2 * k] = (float)pWords[k];
    pData[2 * k + 1] = (float)pWords[nHalf + k];
  }
  if (!AddFilledSpectrum(params, std::move(pData)))
    return FALSE;
  History("File correctly imported");
  return TRUE;
}
