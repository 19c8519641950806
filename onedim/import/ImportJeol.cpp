#include "onedim/import/ImportJeol.h"

#include <string>

#include "framework/base/Endian.h"
#include "onedim/import/ImportPath.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

void ReadJeolParams(CFile& file, CJeolParams& jeol) {
  CParamTokens tokens(file);
  std::string token, value;
  while (tokens.Next(token)) {
    enum { none, width, points, base, set, fine } kind = none;
    if (TokenBeginsWith(token, "FREQU"))
      kind = width;
    else if (TokenBeginsWith(token, "SAMPO") || TokenBeginsWith(token, "POINT"))
      kind = points;
    else if (TokenBeginsWith(token, "OBFRQ") || TokenBeginsWith(token, "OFR"))
      kind = base;
    else if (TokenBeginsWith(token, "OBSET"))
      kind = set;
    else if (TokenBeginsWith(token, "OBFIN"))
      kind = fine;
    if (kind == none)
      continue;
    if (!tokens.Next(value))
      break;
    switch (kind) {
      case width:
        jeol.sw = ParseParamReal(value);
        break;
      case points:
        jeol.td = ParseParamInt(value);
        break;
      case base:
        jeol.base = ParseParamReal(value);
        break;
      case set:
        jeol.obset = (float)ParseParamReal(value);
        break;
      case fine:
        jeol.obfin = (float)ParseParamReal(value);
        break;
      default:
        break;
    }
  }
}

BOOL CJeolImporter::FailMemory() {
  History("Memory exchausted. Importing aborted");
  return Fail("Memory exhausted. \nImporting aborted");
}

BOOL CJeolImporter::DoImport() {
  History("Attempting to import " + m_strPath + " file");
  CFile data;
  if (!OpenFile(data, m_strPath)) {
    History("File not found");
    return Fail("File not found");
  }
  History("File correctly opened");

  const CString strStem = GetPathUpToLastDot(m_strPath);
  const CString strParams = strStem + "gxp";
  History("Attempting to import parameters file (" + strParams + ")");
  CFile paramFile;
  if (strStem.IsEmpty() || !OpenFile(paramFile, strParams)) {
    History("The parameters file was not found");
    return Fail("The Parameters File was not found");
  }
  CJeolParams jeol;
  ReadJeolParams(paramFile, jeol);
  paramFile.Abort();

  CSpectrumParams params;
  params.td = jeol.td;
  params.sw = jeol.sw;
  params.sf = jeol.Frequency();
  params.aqmode = 1;
  params.bComplex = 1;
  params.bConjugate = 1;
  params.title = "Untitled";
  if (!CheckSize(params.td))
    return FALSE;

  const std::size_t nBytes = (std::size_t)params.td * 4;
  if (!HasBytes(data, 0, nBytes))
    return FailShortData();
  std::unique_ptr<BYTE[]> pBytes = NewBytes(nBytes);
  if (!pBytes)
    return Fail("Cannot allocate memory");
  if (!ReadAt(data, 0, pBytes.get(), nBytes))
    return FailShortData();
  data.Abort();

  std::unique_ptr<float[]> pData(CSpectrum::AllocateFloats(params.td));
  if (!pData)
    return FailMemory();
  for (int i = 0; i < params.td; ++i)
    pData[i] = (float)ReadI32LE(pBytes.get() + 4 * (std::size_t)i);
  return AddFilledSpectrum(params, std::move(pData));
}
