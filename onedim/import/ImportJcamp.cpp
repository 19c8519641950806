#include "onedim/import/ImportJcamp.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "framework/base/Exception.h"
#include "framework/base/File.h"
#include "onedim/import/ImportTarget.h"
#include "onedim/import/JcampDecoder.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"
#include "onedim/model/TextString.h"
#include "numerics/Saturate.h"

namespace {

// 8 M complex points: three buffers of 64 MB each in the 32-bit program.
const int kMaxPoints = 1 << 23;
// A JCAMP-DX file of that many points in the plainest form is well below this.
const ULONGLONG kMaxFileBytes = 512u << 20;

const char kMemoryExhausted[] = "Memory exhausted. Importing aborted";
const char kReadError[] = "An error has ocurred while reading file";

// The line without its blanks, tabs and carriage returns.
CTextString RemoveBlanks(const char* pLine, std::size_t nLength) {
  CTextString str;
  LPSTR pOut = str.GetBuffer((int)nLength);
  int n = 0;
  for (std::size_t i = 0; i < nLength; i++) {
    char c = pLine[i];
    if (c != ' ' && c != '\t' && c != '\r' && c != '\0')
      pOut[n++] = c;
  }
  str.ReleaseBuffer(n);
  return str;
}

// The first comma-separated field of a record's value as a finite number.
BOOL ReadNumber(const CString& strValue, double& dValue) {
  // What follows the number (a unit, a "$$" comment) does not matter.
  CTextString strField = CTextString(strValue).GetField(',', 0);
  LPCSTR psz = strField;
  char* pEnd = nullptr;
  double d = std::strtod(psz, &pEnd);
  if (pEnd == psz || !std::isfinite(d))
    return FALSE;
  dValue = d;
  return TRUE;
}

}  // namespace

void CJcampImporter::History(LPCSTR pszLine) {
  m_target.AppendHistory(pszLine);
}

BOOL CJcampImporter::Fail(LPCSTR pszReason) {
  History(pszReason);
  m_target.SetImportError(pszReason);
  return FALSE;
}

BOOL CJcampImporter::Import(LPCSTR lpszPath) {
  m_strPath = lpszPath != nullptr ? lpszPath : "";
  History("Starting traslation for " + m_strPath + " JCamp-DX data type");
  std::unique_ptr<char[]> text;
  std::size_t nLength = 0;
  CFile file;
  try {
    if (!file.Open(m_strPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
      return Fail("Failed to open " + m_strPath);
    ULONGLONG nSize = file.GetLength();
    if (nSize > kMaxFileBytes)
      return Fail(kReadError);
    nLength = (std::size_t)nSize;
    text.reset(new (std::nothrow) char[nLength + 1]);
    if (!text)
      return Fail(kMemoryExhausted);
    if (file.Read(text.get(), (UINT)nLength) != (UINT)nLength)
      return Fail(kReadError);
    file.Close();
  } catch (CException* e) {
    e->Delete();
    file.Abort();
    return Fail(kReadError);
  }
  text[nLength] = '\0';
  return ImportFrom(text.get(), nLength);
}

BOOL CJcampImporter::ImportText(LPCSTR lpszPath, const char* pText, std::size_t nLength) {
  m_strPath = lpszPath != nullptr ? lpszPath : "";
  History("Starting traslation for " + m_strPath + " JCamp-DX data type");
  return ImportFrom(pText, nLength);
}

BOOL CJcampImporter::ImportFrom(const char* pText, std::size_t nLength) {
  m_pText = pText;
  m_nLength = pText != nullptr ? nLength : 0;
  BOOL bResult = DoImport();
  m_pText = nullptr;
  m_nLength = 0;
  return bResult;
}

BOOL CJcampImporter::DoImport() {
  // Nothing is carried over from an earlier file.
  m_header = CJcampHeader();
  m_nPosition = 0;
  try {
    if (!ReadJcampHeader())
      return Fail("An error reading the core fixed header has ocurred");

    std::unique_ptr<float[]> values;
    if (CTextString(m_header.strDataClass).FindNoCase("NTUPLES") >= 0) {
      History("Complex data storage (NTuples) detected ");
      if (!ReadJcampNtuplesHeader())
        return Fail("An error reading the core data complex header has ocurred");
      values.reset(CSpectrum::AllocateFloats(2 * m_header.nPoints));
      if (!values)
        return Fail(kMemoryExhausted);
      if (!ReadJcampRealPage(values.get()))
        return Fail("An error reading real data points has ocurred");
      if (!ReadJcampImaginaryPage(values.get() + 1))
        return Fail("An error reading imaginary data points has ocurred");
    } else {
      History("No Complex data storage (NTuples) detected ");
      if (!ReadJcampSimpleHeader())
        return Fail("An error reading the core data header has ocurred");
      // Zeroed: the odd (imaginary) floats stay 0.
      values.reset(CSpectrum::AllocateFloats(2 * m_header.nPoints));
      if (!values)
        return Fail(kMemoryExhausted);
      if (!ReadJcampXYData(values.get()))
        return Fail("An error reading real data points has ocurred");
    }
    return AddSpectrum(values.release());
  } catch (CMemoryException* e) {
    e->Delete();
    return Fail(kMemoryExhausted);
  } catch (const std::bad_alloc&) {
    return Fail(kMemoryExhausted);
  } catch (CException* e) {
    e->Delete();
    return Fail(kReadError);
  }
}

BOOL CJcampImporter::FindLabel(LPCSTR pszLabel, CString& strValue, BOOL bStopAtData) {
  CTextString strLabel = RemoveBlanks(pszLabel, std::strlen(pszLabel));
  std::size_t nPos = 0;
  while (nPos < m_nLength) {
    const char* pLine = m_pText + nPos;
    const void* pFeed = std::memchr(pLine, '\n', m_nLength - nPos);
    std::size_t nLine = pFeed != nullptr ? (std::size_t)((const char*)pFeed - pLine) : m_nLength - nPos;
    std::size_t nNext = nPos + nLine + 1;
    CTextString strLine = RemoveBlanks(pLine, nLine);
    if (bStopAtData && strLine.FindNoCase("X++") >= 0)
      return FALSE;
    int nFound = strLine.FindNoCase(strLabel);
    if (nFound >= 0) {
      strValue = strLine.Mid(nFound + strLabel.GetLength());
      m_nPosition = nNext < m_nLength ? nNext : m_nLength;
      return TRUE;
    }
    nPos = nNext;
  }
  return FALSE;
}

BOOL CJcampImporter::ReadJcampHeader() {
  CString strValue;
  if (!FindLabel("##JCAMP", strValue, TRUE)) {
    History("It is not a JCAMP-DX file");
    return FALSE;
  }
  m_header.strVersion = strValue;
  if (strValue.Find("5.0") < 0)
    History("This is not version 5.00");

  if (FindLabel("##DATA CLASS=", strValue, TRUE))
    m_header.strDataClass = strValue;
  else
    History("Data class not found");
  if (FindLabel("##TITLE=", strValue, TRUE))
    m_header.strTitle = strValue;
  else
    History("Title not found");
  if (FindLabel("##DATA TYPE=", strValue, TRUE))
    m_header.strDataType = strValue;
  else
    History("Data type not found");
  double dFrequency = 0.0;
  if (FindLabel("##.OBSERVE FREQUENCY=", strValue, TRUE) && ReadNumber(strValue, dFrequency) && dFrequency >= 0.0)
    m_header.dObserveFrequency = dFrequency;
  else
    History("OBSERVE FREQUENCY not found");
  if (FindLabel("##.SOLVENT REFERENCE=", strValue, TRUE))
    m_header.strSolventReference = strValue;
  else
    History("SOLVENT REFERENCE not found");
  if (FindLabel("##.OBSERVE NUCLEUS=", strValue, TRUE))
    m_header.strNucleus = strValue;
  else
    History("NUCLEUS not found");
  if (FindLabel("##.ACQUISITION MODE=", strValue, TRUE))
    m_header.strAcquisitionMode = strValue;
  else
    History("ACQUISITION MODE not found");
  if (FindLabel("##.SHIFT REFERENCE=", strValue, TRUE)) {
    m_header.bShiftReference = TRUE;
    m_header.strShiftReference = strValue;
  }
  ReadAcquisitionRecords();
  return TRUE;
}

void CJcampImporter::ReadAcquisitionRecords() {
  CString strValue;
  double d = 0.0;
  // Whole numbers as acqus gives them; a fraction is cut (TopSpin writes DECIM 725.33).
  if (FindLabel("##$DECIM=", strValue, TRUE) && ReadNumber(strValue, d))
    m_header.nDecim = SaturatingInt(d);
  if (FindLabel("##$DSPFVS=", strValue, TRUE) && ReadNumber(strValue, d))
    m_header.nDspfvs = SaturatingInt(d);
  if (FindLabel("##$GRPDLY=", strValue, TRUE)) {
    m_header.bGroupDelayUnreadable = !ReadNumber(strValue, d);
    m_header.dGroupDelay = m_header.bGroupDelayUnreadable ? 0.0 : d;
  }
  if (FindLabel("##$SW_h=", strValue, TRUE) && ReadNumber(strValue, d) && d > 0.0)
    m_header.dSamplingRate = d;
}

BOOL CJcampImporter::ReadJcampSimpleHeader() {
  return ReadDataHeader("##NPOINTS=", "##XUNITS=", "##FIRSTX=", "##LASTX=");
}

BOOL CJcampImporter::ReadJcampNtuplesHeader() {
  return ReadDataHeader("##VAR_DIM=", "##UNITS=", "##FIRST=", "##LAST=");
}

BOOL CJcampImporter::ReadDataHeader(LPCSTR pszPoints, LPCSTR pszUnits, LPCSTR pszFirst, LPCSTR pszLast) {
  CString strValue;
  double dPoints = 0.0;
  if (!FindLabel(pszPoints, strValue, TRUE) || !ReadNumber(strValue, dPoints) || dPoints < 1.0 ||
      dPoints > kMaxPoints || dPoints != std::floor(dPoints)) {
    History("Cannot read number of points");
    return FALSE;
  }
  m_header.nPoints = (int)dPoints;
  if (FindLabel(pszUnits, strValue, TRUE))
    m_header.strUnits = CTextString(strValue).GetField(',', 0);
  else
    History("Cannot read units");
  if (!FindLabel(pszFirst, strValue, TRUE) || !ReadNumber(strValue, m_header.dFirstX)) {
    History("Cannot read First X");
    return FALSE;
  }
  if (!FindLabel(pszLast, strValue, TRUE) || !ReadNumber(strValue, m_header.dLastX)) {
    History("Cannot read Last X");
    return FALSE;
  }
  return TRUE;
}

BOOL CJcampImporter::ReadTable(LPCSTR pszLabel, float* pValues, LPCSTR pszNotFound, LPCSTR pszBadData) {
  CString strValue;
  if (!FindLabel(pszLabel, strValue, FALSE)) {
    History(pszNotFound);
    return FALSE;
  }
  // A table may be the last thing in the file, its last line without a line
  // feed: whole when it holds every point. One that runs short into the end
  // of the text belongs to a file that was cut off. One that the next record
  // closes early is whole: instruments write tables a point short of the
  // count they give; the rest stay 0.
  BOOL bAtLabel = FALSE;
  const int nPoints = m_header.nPoints;
  int nRead = DecodeAsdfLines(m_pText + m_nPosition, m_nLength - m_nPosition, pValues, nPoints, 2, nullptr, &bAtLabel);
  if (nRead < 0 || (nRead < nPoints && (!bAtLabel || nRead == 0))) {
    History(pszBadData);
    return FALSE;
  }
  if (nRead < nPoints) {
    CString strLine;
    strLine.Format("Only %d of %d data points found: the missing ones set to 0", nRead, nPoints);
    History(strLine);
  }
  return TRUE;
}

BOOL CJcampImporter::ReadJcampXYData(float* pValues) {
  return ReadTable("Y..Y", pValues, "Failed to find real points", "Failed to read data points");
}

BOOL CJcampImporter::ReadJcampRealPage(float* pValues) {
  return ReadTable("(X++(R..R))", pValues, "Failed to find real points", "Failed to read data points");
}

BOOL CJcampImporter::ReadJcampImaginaryPage(float* pValues) {
  return ReadTable("(X++(I..I))", pValues, "Failed to find imaginary points", "Failed to read imaginary points");
}

namespace {

enum XAxis { xAxisHz, xAxisPpm, xAxisSeconds };

// Units other than ppm and seconds are taken for Hz, the usual x of NMR.
XAxis AxisOf(const CString& strUnits) {
  CString strUpper(strUnits);
  strUpper.MakeUpper();
  if (strUpper == "PPM")
    return xAxisPpm;
  if (strUpper == "SECONDS" || strUpper == "SECOND" || strUpper == "SEC" || strUpper == "S")
    return xAxisSeconds;
  return xAxisHz;
}

// The n-th comma-separated field of a record's value as a finite number;
// brackets around the whole value do not count.
BOOL ReadField(const CString& strValue, int nField, double& dValue) {
  CTextString strText(strValue);
  strText.ReplaceAll("(", "", TRUE);
  strText.ReplaceAll(")", "", TRUE);
  if (nField >= strText.CountFields(','))
    return FALSE;
  return ReadNumber(strText.GetField(',', nField), dValue);
}

}  // namespace

// The x range in Hz: a ppm axis scales by the observe frequency; a time axis
// gives the sampling rate.
double CJcampImporter::SweepWidth() const {
  const CJcampHeader& h = m_header;
  double dSpan = h.dFirstX - h.dLastX;
  double dWidth = dSpan;
  switch (AxisOf(h.strUnits)) {
    case xAxisPpm:
      dWidth = dSpan * h.dObserveFrequency;
      break;
    case xAxisSeconds:
      // The acquisition's own rate, when given, is exact; the x range may
      // end at the last point or one dwell after it.
      if (h.dSamplingRate > 0.0)
        return h.dSamplingRate;
      dWidth = dSpan != 0.0 ? (h.nPoints - 1) / std::fabs(dSpan) : 0.0;
      break;
    default:
      break;
  }
  return std::isfinite(dWidth) ? dWidth : 0.0;
}

double CJcampImporter::ReferenceOffset(int td, double sw) {
  const CJcampHeader& h = m_header;
  const XAxis axis = AxisOf(h.strUnits);
  if (sw == 0.0)
    return 0.0;
  // The Hz value of float index i is sw - sw (i + offset) / td: the offset
  // that gives float index nIndex the frequency dHz.
  auto offsetFor = [&](double nIndex, double dHz) {
    const double dOffset = td * (sw - dHz) / sw - nIndex;
    return std::isfinite(dOffset) ? dOffset : 0.0;
  };
  if (!h.bShiftReference) {
    if (axis == xAxisSeconds)
      return 0.0;
    return offsetFor(0.0, axis == xAxisPpm ? h.dFirstX * h.dObserveFrequency : h.dFirstX);
  }

  double dPoint = 0.0, dShift = 0.0;
  if (!ReadField(h.strShiftReference, 2, dPoint) || !ReadField(h.strShiftReference, 3, dShift) ||
      dPoint != std::floor(dPoint)) {
    History("The shift reference cannot be read: the axis keeps no reference offset");
    return 0.0;
  }
  if (dPoint < 1.0 || dPoint > h.nPoints) {
    CString strLine;
    strLine.Format("The shift reference names point %.0f, outside the %d points: the axis keeps no reference offset",
                   dPoint, h.nPoints);
    History(strLine);
    return 0.0;
  }
  // An FID's point is one of the spectrum of as many points that its
  // transform gives, so the same float index serves both.
  return offsetFor(2.0 * (dPoint - 1.0), dShift * h.dObserveFrequency);
}

namespace {

BOOL BeginsWithNoCase(const CString& str, LPCSTR pszStart) {
  return CTextString(str).FindNoCase(pszStart) == 0;
}

}  // namespace

void CJcampImporter::SetFidAcquisition(CSpectrumParams& params) {
  const CString& strMode = m_header.strAcquisitionMode;
  // As acqus' AQ_mod: mode 1 transforms complex points, mode 0 real ones,
  // and any mode but one channel's is quadrature.
  if (BeginsWithNoCase(strMode, "SIMULTANEOUS")) {
    params.aqmode = 1;
    params.bComplex = 1;
  } else if (BeginsWithNoCase(strMode, "SEQUENTIAL")) {
    params.aqmode = 0;
    params.bComplex = 1;
  } else if (BeginsWithNoCase(strMode, "SINGLE")) {
    params.aqmode = 0;
    params.bComplex = 0;
  }
  params.DECIM = m_header.nDecim;
  params.DSPFVS = m_header.nDspfvs;
  params.GRPDLY = m_header.dGroupDelay;
  CheckFidGroupDelay(m_target, params, m_header.bGroupDelayUnreadable, "the file");
}

BOOL CJcampImporter::AddSpectrum(float* pValues) {
  std::unique_ptr<float[]> data(pValues);
  CSpectrumParams params;
  params.td = 2 * m_header.nPoints;
  params.sf = m_header.dObserveFrequency;
  params.sw = SweepWidth();
  params.title = m_header.strTitle;
  params.DSPFVS = 0;
  params.DECIM = 0;
  params.aq = 0.0;
  params.offset = ReferenceOffset(params.td, params.sw);
  // A spectrum was transformed already: how its FID was acquired changes nothing.
  const BOOL bSpectrum = CTextString(m_header.strDataType).FindNoCase("SPECTRUM") >= 0;
  if (!bSpectrum)
    SetFidAcquisition(params);
  CSpectrum* pSpectrum = AddImportedSpectrum(m_target, params, std::move(data), TRUE);
  if (pSpectrum == nullptr)
    return Fail(kMemoryExhausted);
  if (bSpectrum)
    OpenAsTransformed(*pSpectrum, FALSE);
  History("JCampDX file correctly imported");
  return TRUE;
}
