#include "onedim/import/ImportVarian.h"

#include <cstring>
#include <string>
#include <vector>

#include "framework/base/Endian.h"
#include "onedim/import/ByteOrder.h"
#include "onedim/import/ImportPath.h"
#include "onedim/import/ImportTarget.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

namespace {

const std::size_t kFileHeader = 32;
const std::size_t kDataStart = 60;
const std::uint16_t kStatusFloat = 0x0008;

}  // namespace

void ReadVarianProcpar(CFile& file, CVarianProcpar& procpar) {
  CParamTokens tokens(file);
  std::string token;
  BOOL bLineStart = FALSE;
  while (tokens.Next(token, &bLineStart)) {
    // Names open their line; a word elsewhere is a value or an attribute.
    if (!bLineStart)
      continue;
    enum { none, sfrq, sw, rfp, rfl, np, dp } kind = none;
    if (TokenBeginsWith(token, "sfrq"))
      kind = sfrq;
    else if (TokenEquals(token, "sw"))
      kind = sw;
    else if (TokenEquals(token, "rfp"))
      kind = rfp;
    else if (TokenEquals(token, "rfl"))
      kind = rfl;
    else if (TokenEquals(token, "np"))
      kind = np;
    else if (TokenEquals(token, "dp"))
      kind = dp;
    if (kind == none)
      continue;
    tokens.SkipLine();
    std::string value;
    if (!tokens.Next(value) || !tokens.Next(value))  // the count, then the value
      break;
    switch (kind) {
      case sfrq:
        procpar.sfrq = ParseParamReal(value);
        break;
      case sw:
        procpar.sw = ParseParamReal(value);
        break;
      case rfp:
        procpar.rfp = ParseParamReal(value);
        break;
      case rfl:
        procpar.rfl = ParseParamReal(value);
        break;
      case np:
        procpar.np = ParseParamInt(value);
        break;
      case dp:
        procpar.b32Bit = value == "\"y\"" ? TRUE : FALSE;
        break;
      default:
        break;
    }
  }
}

BOOL CVarianImporter::FailMemory() {
  History("Memory exchausted. Importing aborted");
  return Fail("Memory exhausted. \nImporting aborted");
}

void CVarianImporter::Warn(LPCSTR lpszText) {
  m_target.ShowWarning(lpszText);
}

BOOL CVarianImporter::OpenProcpar(CFile& file) {
  if (OpenFile(file, GetImportFolder(m_strPath) + "procpar"))
    return TRUE;
  CString strStem = GetPathUpToLastDot(m_strPath);
  return !strStem.IsEmpty() && OpenFile(file, strStem + "procpar");
}

BOOL CVarianImporter::DoImport() {
  CFile fid;
  if (!OpenFile(fid, m_strPath))
    return Fail("cannot open the file containing the data points");
  CFile procparFile;
  if (!OpenProcpar(procparFile))
    return Fail("failed to open ProcPar file.\nImporting aborted");

  CVarianProcpar procpar;
  ReadVarianProcpar(procparFile, procpar);
  procparFile.Abort();

  CSpectrumParams params;
  params.td = procpar.np;
  params.sw = procpar.sw;
  params.sf = procpar.sfrq;
  params.aqmode = 1;
  params.bComplex = 1;
  params.bConjugate = 1;
  if (!CheckSize(params.td))
    return FALSE;
  params.offset = SafeOffset((procpar.rfl - procpar.rfp) * procpar.np, procpar.sw);

  const std::vector<BYTE> header = ReadHead(fid, kFileHeader);
  if (header.size() < kFileHeader)
    return FailShortHeader();
  const int nHeaderPoints = ReadI32BE(header.data() + 8);
  const BOOL bFloat = (ReadU16BE(header.data() + 26) & kStatusFloat) != 0;
  int nPoints = params.td;
  if (nHeaderPoints != params.td) {
    Warn("Number of points in the procpar\nIs different to the fid header");
    // The header tells what the trace holds; the spectrum keeps the size
    // procpar gave it, so a longer trace is cut and a shorter one padded
    // with zeros.
    if (nHeaderPoints < 1)
      return FailLogged("The fid header gives no data points.\nImporting aborted");
    if (nHeaderPoints < nPoints)
      nPoints = nHeaderPoints;
  }

  const std::size_t nSampleSize = procpar.b32Bit ? 4 : 2;
  const std::size_t nBytes = (std::size_t)nPoints * nSampleSize;
  if (!HasBytes(fid, kDataStart, nBytes))
    return FailShortData();
  std::unique_ptr<float[]> pData(CSpectrum::AllocateFloats(params.td));
  if (!pData)
    return FailMemory();
  std::unique_ptr<BYTE[]> pBytes = NewBytes(nBytes);
  if (!pBytes)
    return Fail("Cannot allocate memory");
  if (!ReadAt(fid, kDataStart, pBytes.get(), nBytes))
    return FailShortData();

  const CByteOrder order;
  const BYTE* p = pBytes.get();
  for (int i = 0; i < nPoints; ++i) {
    if (!procpar.b32Bit) {
      pData[i] = (float)(std::int32_t)order.Reverse16(ReadU16LE(p + 2 * (std::size_t)i));
    } else if (bFloat) {
      BYTE group[4];
      std::memcpy(group, p + 4 * (std::size_t)i, 4);
      order.Reverse32InPlace(group);
      pData[i] = ReadF32LE(group);
    } else {
      pData[i] = (float)(std::int32_t)order.Reverse32(ReadU32LE(p + 4 * (std::size_t)i));
    }
  }
  return AddFilledSpectrum(params, std::move(pData));
}
