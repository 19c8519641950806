#include "onedim/import/ImportAspect.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "framework/base/Endian.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

namespace {

const std::size_t kDataStart = 768;

const std::uint32_t kMagicBigEndian = 0x4784F5;
const std::uint32_t kMagicLittleEndian = 0xFFF58447;  // the bytes F5 84 47, sign-extended
const std::uint32_t kMagicUnknownOrder = 0x3DFB00;

// The first three bytes as a big-endian 24-bit word, sign-extended.
std::uint32_t ReadMagic(const BYTE* p) {
  std::uint32_t v = ((std::uint32_t)p[0] << 16) | ((std::uint32_t)p[1] << 8) | p[2];
  if (v & 0x800000u)
    v |= 0xFF000000u;
  return v;
}

std::uint32_t ReadUnsigned24(const BYTE* p, BOOL bLittleEndian) {
  if (bLittleEndian)
    return ((std::uint32_t)p[2] << 16) | ((std::uint32_t)p[1] << 8) | p[0];
  return ((std::uint32_t)p[0] << 16) | ((std::uint32_t)p[1] << 8) | p[2];
}

double ReadReal(const BYTE* p, BOOL bLittleEndian) {
  BYTE six[6];
  std::memcpy(six, p, sizeof six);
  if (bLittleEndian)
    ReverseAspectWords(six);
  return ReadAspectReal(six);
}

}  // namespace

double ReadAspectReal(const BYTE* b) {
  int e = b[3] * 8 + (b[4] >> 5);
  if (e > 1023)
    e -= 2048;
  // Bit 5 of b4 belongs to the exponent and to the fraction alike.
  double m = (b[0] * 65536.0 + b[1] * 256.0 + b[2]) * std::ldexp(1.0, -23) +
             ((b[4] & 0x3F) * 256.0 + b[5]) * std::ldexp(1.0, -36);
  if (m > 1.0)
    m -= 2.0;
  return std::ldexp(m, e);
}

void ReverseAspectWords(BYTE* pSix) {
  BYTE b = pSix[0];
  pSix[0] = pSix[2];
  pSix[2] = b;
  b = pSix[3];
  pSix[3] = pSix[5];
  pSix[5] = b;
}

int ReadAspectWord(const BYTE* p, BOOL bLittleEndian) {
  if (bLittleEndian)
    return (signed char)p[2] * 65536 + p[1] * 256 + p[0];
  return (signed char)p[0] * 65536 + p[1] * 256 + p[2];
}

BOOL CAspectImporter::FailMemory() {
  History("Memory exchausted. Importing aborted");
  return Fail("Memory exhausted. \nImporting aborted");
}

BOOL CAspectImporter::DoImport() {
  History("Attempting to import " + m_strPath + " file");
  CFile file;
  if (!OpenFile(file, m_strPath)) {
    History("Failed to import " + m_strPath + " file");
    return Fail("Failed to import");
  }
  History(m_strPath + " correctly opened");

  const std::vector<BYTE> head = ReadHead(file, kDataStart);
  const std::uint32_t nMagic = head.size() >= 3 ? ReadMagic(head.data()) : 0;
  if (nMagic != kMagicBigEndian && nMagic != kMagicLittleEndian) {
    CString strError;
    if (nMagic == kMagicUnknownOrder)
      strError.Format("%s is an Aspect file in a word order that cannot be read", (LPCSTR)m_strPath);
    else
      strError.Format("%s is not an Aspect file", (LPCSTR)m_strPath);
    return FailLogged(strError);
  }
  const BOOL bLittle = nMagic == kMagicLittleEndian;
  if (head.size() < kDataStart)
    return FailShortHeader();

  const BYTE* h = head.data();
  CSpectrumParams params;
  params.td = (int)ReadUnsigned24(h + 129, bLittle);
  params.sw = ReadReal(h + 159, bLittle);
  const int nMode = ReadAspectWord(h + 166, bLittle);
  params.aqmode = nMode == 1 ? 1 : 0;
  params.sf = ReadReal(h + 231, bLittle);
  params.bComplex = ReadAspectWord(h + 238, bLittle) != 0 ? 1 : 0;
  const double x = ReadReal(h + 471, bLittle);
  params.bConjugate = 0;
  if (!CheckSize(params.td))
    return FALSE;
  params.offset = SafeOffset(-(double)params.td * x, params.sw);

  const std::size_t nBytes = (std::size_t)params.td * 3;
  if (!HasBytes(file, kDataStart, nBytes))
    return FailShortData();
  std::unique_ptr<BYTE[]> pBytes = NewBytes(nBytes);
  if (!pBytes)
    return FailMemory();
  if (!ReadAt(file, kDataStart, pBytes.get(), nBytes))
    return FailShortData();
  file.Abort();

  std::unique_ptr<float[]> pData(CSpectrum::AllocateFloats(params.td));
  if (!pData)
    return FailMemory();
  for (int i = 0; i < params.td; ++i)
    pData[i] = (float)ReadAspectWord(pBytes.get() + 3 * (std::size_t)i, bLittle);
  return AddFilledSpectrum(params, std::move(pData));
}
