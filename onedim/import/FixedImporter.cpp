#include "onedim/import/FixedImporter.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "onedim/import/BrukerData.h"
#include "onedim/import/ImportPath.h"
#include "onedim/import/ImportTarget.h"

namespace {

const char kMemoryExhausted[] = "Memory exhausted. \nImporting aborted";
const char kReadError[] = "Error reading the data file.\nImporting aborted";
const char kShortHeader[] = "The file ends inside its header.\nImporting aborted";
const char kShortData[] = "The file holds fewer data points than its header says.\nImporting aborted";

// Reads are issued in pieces that fit the UINT count of CFile::Read.
const std::size_t kReadChunk = 1u << 24;

}  // namespace

BOOL CFixedImporter::Import(LPCSTR lpszPath) {
  m_strPath = lpszPath != nullptr ? lpszPath : "";
  try {
    return DoImport();
  } catch (CMemoryException* e) {
    e->Delete();
    return FailMemory();
  } catch (const std::bad_alloc&) {
    return FailMemory();
  } catch (CException* e) {
    e->Delete();
    return FailLogged(kReadError);
  }
}

BOOL CFixedImporter::FailMemory() {
  return Fail(kMemoryExhausted);
}

void CFixedImporter::History(LPCSTR lpszLine) {
  m_target.AppendHistory(lpszLine);
}

BOOL CFixedImporter::Fail(LPCSTR lpszError) {
  m_target.SetImportError(lpszError);
  return FALSE;
}

BOOL CFixedImporter::FailLogged(LPCSTR lpszText) {
  History(lpszText);
  return Fail(lpszText);
}

BOOL CFixedImporter::OpenFile(CFile& file, LPCSTR lpszPath, BOOL bDenyWrite) {
  if (!bDenyWrite)
    return OpenImportFile(file, lpszPath);
  if (lpszPath == nullptr || *lpszPath == '\0')
    return FALSE;
  return file.Open(ResolveImportPath(lpszPath), CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
}

std::vector<BYTE> CFixedImporter::ReadHead(CFile& file, std::size_t nMax) {
  const ULONGLONG nLength = file.GetLength();
  const std::size_t nCount = nLength < nMax ? (std::size_t)nLength : nMax;
  std::vector<BYTE> bytes(nCount);
  if (nCount != 0 && !ReadAt(file, 0, bytes.data(), nCount))
    bytes.clear();
  return bytes;
}

BOOL CFixedImporter::HasBytes(CFile& file, ULONGLONG nOffset, ULONGLONG nCount) {
  const ULONGLONG nLength = file.GetLength();
  return nOffset <= nLength && nCount <= nLength - nOffset;
}

BOOL CFixedImporter::ReadAt(CFile& file, ULONGLONG nOffset, BYTE* pBytes, std::size_t nCount) {
  if (!HasBytes(file, nOffset, nCount))
    return FALSE;
  file.Seek((LONGLONG)nOffset, CFile::begin);
  while (nCount != 0) {
    const UINT nPiece = (UINT)(nCount < kReadChunk ? nCount : kReadChunk);
    const UINT nRead = file.Read(pBytes, nPiece);
    if (nRead == 0)
      return FALSE;
    pBytes += nRead;
    nCount -= nRead;
  }
  return TRUE;
}

std::unique_ptr<BYTE[]> CFixedImporter::NewBytes(std::size_t nCount) {
  return std::unique_ptr<BYTE[]>(new (std::nothrow) BYTE[nCount == 0 ? 1 : nCount]());
}

BOOL CFixedImporter::CheckSize(long long td) {
  if (td >= 0 && td <= kMaxImportFloats && IsValidImportSize((int)td))
    return TRUE;
  CString strError;
  strError.Format("Invalid number of data points (td = %lld).\nImporting aborted", td);
  return FailLogged(strError);
}

BOOL CFixedImporter::FailShortHeader() {
  return FailLogged(kShortHeader);
}

BOOL CFixedImporter::FailShortData() {
  return FailLogged(kShortData);
}

double CFixedImporter::SafeOffset(double dNumerator, double dDenominator) {
  const double dOffset = dDenominator != 0.0 ? dNumerator / dDenominator : 0.0;
  if (dDenominator != 0.0 && std::isfinite(dOffset))
    return dOffset;
  return NoOffset();
}

double CFixedImporter::NoOffset() {
  History("The reference offset cannot be computed from the file: offset set to 0");
  return 0.0;
}

BOOL CFixedImporter::AddFilledSpectrum(const CSpectrumParams& params, std::unique_ptr<float[]> pData) {
  if (!pData || !AddImportedSpectrum(m_target, params, std::move(pData), TRUE))
    return FailMemory();
  return TRUE;
}

// --- Parameter files ---

BOOL CParamTokens::Next(std::string& token, BOOL* pLineStart) {
  const std::size_t kMaxToken = 255;
  token.clear();
  int ch = GetChar();
  while (ch != EOF && std::isspace(ch)) {
    if (ch == '\n')
      m_bLineStart = true;
    ch = GetChar();
  }
  if (ch == EOF)
    return FALSE;
  if (pLineStart != nullptr)
    *pLineStart = m_bLineStart ? TRUE : FALSE;
  m_bLineStart = false;
  while (ch != EOF) {
    token += (char)ch;
    if (token.size() == kMaxToken)
      break;
    ch = GetChar();
    if (ch == EOF)
      break;
    if (std::isspace(ch)) {
      if (ch == '\n')
        m_bLineStart = true;
      break;
    }
  }
  return TRUE;
}

void CParamTokens::SkipLine() {
  if (m_bLineStart)
    return;
  int ch;
  do
    ch = GetChar();
  while (ch != EOF && ch != '\n');
  m_bLineStart = true;
}

int CParamTokens::GetChar() {
  if (m_nPos == m_nLength) {
    if (m_bEnd)
      return EOF;
    m_nLength = m_file.Read(m_buffer, sizeof m_buffer);
    m_nPos = 0;
    if (m_nLength == 0) {
      m_bEnd = true;
      return EOF;
    }
  }
  return m_buffer[m_nPos++];
}

double ParseParamReal(const std::string& token) {
  const double d = std::strtod(token.c_str(), nullptr);
  return std::isfinite(d) ? d : 0.0;
}

int ParseParamInt(const std::string& token) {
  const long long n = std::strtoll(token.c_str(), nullptr, 10);
  if (n > INT_MAX)
    return INT_MAX;
  if (n < INT_MIN)
    return INT_MIN;
  return (int)n;
}

BOOL TokenBeginsWith(const std::string& token, LPCSTR lpszPrefix) {
  const std::size_t nPrefix = std::strlen(lpszPrefix);
  if (token.size() < nPrefix)
    return FALSE;
  for (std::size_t i = 0; i < nPrefix; ++i)
    if (std::toupper((unsigned char)token[i]) != std::toupper((unsigned char)lpszPrefix[i]))
      return FALSE;
  return TRUE;
}

BOOL TokenEquals(const std::string& token, LPCSTR lpszName) {
  return token.size() == std::strlen(lpszName) && TokenBeginsWith(token, lpszName);
}
