#include "framework/base/Archive.h"

#include <climits>
#include <cstring>
#include <exception>
#include <string>

#include "framework/base/Endian.h"

namespace {

const DWORD kNullTag = 0;
const DWORD kNewClassTag = 0xFFFFFFFF;
const DWORD kClassTagBit = 0x80000000;
const DWORD kMaxIndex = 0x7FFFFFFE;
const UINT kMaxClassName = 255;
// Long strings are read in steps, so a corrupt length costs no more memory
// than the file really holds.
const UINT kStringStep = 65536;

}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize)
    : m_pFile(pFile),
      m_bLoading((nMode & load) != 0),
      m_bNoFlushOnDelete((nMode & bNoFlushOnDelete) != 0),
      m_buffer(nBufSize < 16 ? 16 : (std::size_t)nBufSize) {}

CArchive::~CArchive() {
  if (m_pFile == nullptr)
    return;
  // While an exception unwinds, what is buffered is an incomplete write.
  if (m_bLoading || m_bNoFlushOnDelete || std::uncaught_exceptions() > 0) {
    Abort();
    return;
  }
  try {
    Close();
  } catch (CException* e) {
    m_pFile = nullptr;
    e->ReportError();
    e->Delete();
  }
}

CString CArchive::GetName() const {
  return m_pFile != nullptr ? m_pFile->GetFilePath() : CString();
}

void CArchive::ThrowArchive(int cause) const {
  AfxThrowArchiveException(cause, GetName());
}

void CArchive::CheckMode(bool bLoading) const {
  if (m_pFile == nullptr)
    AfxThrowArchiveException(CArchiveException::genericException);
  if (bLoading && !m_bLoading)
    ThrowArchive(CArchiveException::writeOnly);
  if (!bLoading && m_bLoading)
    ThrowArchive(CArchiveException::readOnly);
}

// --- Buffering ---

BOOL CArchive::FillBuffer() {
  m_nCur = 0;
  m_nEnd = m_pFile->Read(m_buffer.data(), (UINT)m_buffer.size());
  return m_nEnd > 0 ? TRUE : FALSE;
}

void CArchive::WriteBuffer() {
  if (m_nCur > 0) {
    std::size_t n = m_nCur;
    m_nCur = 0;
    m_pFile->Write(m_buffer.data(), (UINT)n);
  }
}

void CArchive::Flush() {
  if (m_pFile == nullptr)
    return;
  if (m_bLoading) {
    std::size_t nUnread = m_nEnd - m_nCur;
    m_nCur = m_nEnd = 0;
    if (nUnread > 0)
      m_pFile->Seek(-(LONGLONG)nUnread, CFile::current);
  } else {
    WriteBuffer();
    m_pFile->Flush();
  }
}

void CArchive::Close() {
  if (m_pFile == nullptr)
    return;
  Flush();
  m_pFile = nullptr;
}

void CArchive::Abort() {
  m_nCur = m_nEnd = 0;
  m_pFile = nullptr;
}

// --- Raw bytes and text ---

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  CheckMode(true);
  BYTE* pOut = static_cast<BYTE*>(lpBuf);
  UINT nDone = 0;
  while (nDone < nMax) {
    if (m_nCur == m_nEnd) {
      // Large reads go straight to the file once the buffer is drained.
      if (nMax - nDone >= m_buffer.size()) {
        UINT n = m_pFile->Read(pOut + nDone, nMax - nDone);
        nDone += n;
        break;
      }
      if (!FillBuffer())
        break;
    }
    std::size_t n = m_nEnd - m_nCur;
    if (n > nMax - nDone)
      n = nMax - nDone;
    std::memcpy(pOut + nDone, m_buffer.data() + m_nCur, n);
    m_nCur += n;
    nDone += (UINT)n;
  }
  return nDone;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount) {
  if (Read(lpBuf, nCount) != nCount)
    AfxThrowFileException(CFileException::endOfFile, -1, GetName());
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  CheckMode(false);
  const BYTE* pIn = static_cast<const BYTE*>(lpBuf);
  if (nMax >= m_buffer.size()) {
    WriteBuffer();
    m_pFile->Write(pIn, nMax);
    return;
  }
  while (nMax > 0) {
    if (m_nCur == m_buffer.size())
      WriteBuffer();
    std::size_t n = m_buffer.size() - m_nCur;
    if (n > nMax)
      n = nMax;
    std::memcpy(m_buffer.data() + m_nCur, pIn, n);
    m_nCur += n;
    pIn += n;
    nMax -= (UINT)n;
  }
}

BOOL CArchive::ReadString(CString& rString) {
  std::string line;
  char ch = 0;
  bool bAny = false;
  while (Read(&ch, 1) == 1) {
    bAny = true;
    if (ch == '\n')
      break;
    line += ch;
  }
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  rString.Empty();
  if (!line.empty()) {
    LPSTR p = rString.GetBufferSetLength((int)line.size());
    std::memcpy(p, line.data(), line.size());
    rString.ReleaseBuffer((int)line.size());
  }
  return bAny ? TRUE : FALSE;
}

LPSTR CArchive::ReadString(LPSTR lpsz, UINT nMax) {
  if (lpsz == nullptr || nMax == 0)
    return nullptr;
  UINT n = 0;
  char ch = 0;
  while (n + 1 < nMax && Read(&ch, 1) == 1) {
    lpsz[n++] = ch;
    if (ch == '\n') {
      if (n >= 2 && lpsz[n - 2] == '\r') {
        lpsz[n - 2] = '\n';
        --n;
      }
      break;
    }
  }
  lpsz[n] = '\0';
  return n == 0 ? nullptr : lpsz;
}

void CArchive::WriteString(LPCSTR lpsz) {
  if (lpsz != nullptr)
    Write(lpsz, (UINT)std::strlen(lpsz));
}

// --- Counts ---

void CArchive::WriteCount(DWORD_PTR dwCount) {
  if (dwCount < 0xFFFF) {
    *this << (WORD)dwCount;
  } else {
    *this << (WORD)0xFFFF;
    *this << (unsigned)dwCount;
  }
}

DWORD_PTR CArchive::ReadCount() {
  WORD w = 0;
  *this >> w;
  if (w != 0xFFFF)
    return w;
  unsigned n = 0;
  *this >> n;
  return n;
}

// --- Fixed-width values ---

CArchive& CArchive::operator<<(BYTE by) {
  Write(&by, 1);
  return *this;
}
CArchive& CArchive::operator<<(char ch) {
  Write(&ch, 1);
  return *this;
}
CArchive& CArchive::operator<<(WORD w) {
  BYTE b[2];
  WriteU16LE(b, w);
  Write(b, 2);
  return *this;
}
CArchive& CArchive::operator<<(short n) {
  return *this << (WORD)n;
}
CArchive& CArchive::operator<<(unsigned n) {
  BYTE b[4];
  WriteU32LE(b, n);
  Write(b, 4);
  return *this;
}
CArchive& CArchive::operator<<(int n) {
  return *this << (unsigned)n;
}
CArchive& CArchive::operator<<(float f) {
  BYTE b[4];
  WriteF32LE(b, f);
  Write(b, 4);
  return *this;
}
CArchive& CArchive::operator<<(double d) {
  BYTE b[8];
  WriteF64LE(b, d);
  Write(b, 8);
  return *this;
}

CArchive& CArchive::operator>>(BYTE& by) {
  ReadExact(&by, 1);
  return *this;
}
CArchive& CArchive::operator>>(char& ch) {
  ReadExact(&ch, 1);
  return *this;
}
CArchive& CArchive::operator>>(WORD& w) {
  BYTE b[2];
  ReadExact(b, 2);
  w = ReadU16LE(b);
  return *this;
}
CArchive& CArchive::operator>>(short& n) {
  BYTE b[2];
  ReadExact(b, 2);
  n = ReadI16LE(b);
  return *this;
}
CArchive& CArchive::operator>>(unsigned& n) {
  BYTE b[4];
  ReadExact(b, 4);
  n = ReadU32LE(b);
  return *this;
}
CArchive& CArchive::operator>>(int& n) {
  BYTE b[4];
  ReadExact(b, 4);
  n = ReadI32LE(b);
  return *this;
}
CArchive& CArchive::operator>>(float& f) {
  BYTE b[4];
  ReadExact(b, 4);
  f = ReadF32LE(b);
  return *this;
}
CArchive& CArchive::operator>>(double& d) {
  BYTE b[8];
  ReadExact(b, 8);
  d = ReadF64LE(b);
  return *this;
}

#if LONG_MAX == 0x7fffffffL
CArchive& CArchive::operator<<(LONG l) {
  return *this << (unsigned)l;
}
CArchive& CArchive::operator<<(DWORD dw) {
  return *this << (unsigned)dw;
}
CArchive& CArchive::operator>>(LONG& l) {
  int n = 0;
  *this >> n;
  l = n;
  return *this;
}
CArchive& CArchive::operator>>(DWORD& dw) {
  unsigned n = 0;
  *this >> n;
  dw = n;
  return *this;
}
#endif

// --- Strings ---

CArchive& operator<<(CArchive& ar, const CString& str) {
  DWORD nLength = (DWORD)str.GetLength();
  if (nLength < 255) {
    ar << (BYTE)nLength;
  } else if (nLength < 0xFFFE) {
    ar << (BYTE)0xFF << (WORD)nLength;
  } else {
    ar << (BYTE)0xFF << (WORD)0xFFFF << (unsigned)nLength;
  }
  ar.Write((LPCSTR)str, nLength);
  return ar;
}

CArchive& operator>>(CArchive& ar, CString& str) {
  BYTE by = 0;
  ar >> by;
  unsigned nLength = by;
  if (by == 0xFF) {
    WORD w = 0;
    ar >> w;
    nLength = w;
    if (w == 0xFFFF)
      ar >> nLength;
  }
  if (nLength > (unsigned)INT_MAX)
    AfxThrowArchiveException(CArchiveException::genericException, ar.GetFile()->GetFilePath());
  std::string text;
  while (text.size() < nLength) {
    UINT nStep = nLength - (UINT)text.size();
    if (nStep > kStringStep)
      nStep = kStringStep;
    std::size_t nOld = text.size();
    text.resize(nOld + nStep);
    if (ar.Read(&text[nOld], nStep) != nStep)
      AfxThrowFileException(CFileException::endOfFile, -1, ar.GetFile()->GetFilePath());
  }
  str.Empty();
  if (nLength > 0) {
    LPSTR p = str.GetBufferSetLength((int)nLength);
    std::memcpy(p, text.data(), nLength);
    str.ReleaseBuffer((int)nLength);
  }
  return ar;
}

// --- Classes and objects ---

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
  CheckMode(false);
  if (pClassRef == nullptr || (pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) == 0xFFFF)
    ThrowArchive(CArchiveException::badClass);
  auto it = m_storedClasses.find(pClassRef);
  if (it != m_storedClasses.end()) {
    *this << (unsigned)(kClassTagBit | it->second);
    return;
  }
  if (m_storedClasses.size() >= kMaxIndex)
    ThrowArchive(CArchiveException::badIndex);
  UINT nNameLength = (UINT)std::strlen(pClassRef->m_lpszClassName);
  if (nNameLength > kMaxClassName)
    ThrowArchive(CArchiveException::badClass);
  *this << (unsigned)kNewClassTag;
  *this << (WORD)(pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA);
  *this << (WORD)nNameLength;
  Write(pClassRef->m_lpszClassName, nNameLength);
  DWORD nIndex = (DWORD)m_storedClasses.size() + 1;
  m_storedClasses[pClassRef] = nIndex;
}

CRuntimeClass* CArchive::ReadClassTag(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag) {
  CheckMode(true);
  unsigned tag = 0;
  *this >> tag;
  *pObTag = 0;
  CRuntimeClass* pClass = nullptr;
  UINT nSchema = 0;
  if (tag == kNewClassTag) {
    WORD wSchema = 0;
    WORD wNameLength = 0;
    *this >> wSchema >> wNameLength;
    if (wNameLength == 0 || wNameLength > kMaxClassName)
      ThrowArchive(CArchiveException::badClass);
    char szName[kMaxClassName + 1];
    ReadExact(szName, wNameLength);
    szName[wNameLength] = '\0';
    pClass = CRuntimeClass::FromName(szName);
    if (pClass == nullptr)
      ThrowArchive(CArchiveException::badClass);
    // A versionable class reads every schema; any other only its own.
    bool bVersionable = (pClass->m_wSchema & VERSIONABLE_SCHEMA) != 0;
    if (!bVersionable && wSchema != pClass->m_wSchema)
      ThrowArchive(CArchiveException::badSchema);
    if (m_loadedClasses.size() >= kMaxIndex)
      ThrowArchive(CArchiveException::badIndex);
    nSchema = wSchema;
    m_loadedClasses.push_back({pClass, nSchema});
  } else if ((tag & kClassTagBit) != 0) {
    DWORD nIndex = tag & ~kClassTagBit;
    if (nIndex == 0 || nIndex > m_loadedClasses.size())
      ThrowArchive(CArchiveException::badIndex);
    pClass = m_loadedClasses[nIndex - 1].pClass;
    nSchema = m_loadedClasses[nIndex - 1].nSchema;
  } else {
    *pObTag = tag;
    return nullptr;
  }
  if (pClassRefRequested != nullptr && !pClass->IsDerivedFrom(pClassRefRequested))
    ThrowArchive(CArchiveException::badClass);
  if (pSchema != nullptr)
    *pSchema = nSchema;
  return pClass;
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema) {
  DWORD nObTag = 0;
  CRuntimeClass* pClass = ReadClassTag(pClassRefRequested, pSchema, &nObTag);
  if (pClass == nullptr)
    ThrowArchive(CArchiveException::badIndex);
  return pClass;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef) {
  if (IsStoring())
    WriteClass(pClassRef);
  else
    ReadClass(pClassRef, &m_nObjectSchema);
}

UINT CArchive::GetObjectSchema() {
  UINT nSchema = m_nObjectSchema;
  m_nObjectSchema = (UINT)-1;
  return nSchema;
}

void CArchive::WriteObject(const CObject* pOb) {
  CheckMode(false);
  if (pOb == nullptr) {
    *this << (unsigned)kNullTag;
    return;
  }
  auto it = m_storedObjects.find(pOb);
  if (it != m_storedObjects.end()) {
    *this << (unsigned)it->second;
    return;
  }
  if (m_storedObjects.size() >= kMaxIndex)
    ThrowArchive(CArchiveException::badIndex);
  WriteClass(pOb->GetRuntimeClass());
  // Numbered before its data, so that the object's own members may refer back to it.
  DWORD nIndex = (DWORD)m_storedObjects.size() + 1;
  m_storedObjects[pOb] = nIndex;
  const_cast<CObject*>(pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
  UINT nSchema = 0;
  DWORD nObTag = 0;
  CRuntimeClass* pClass = ReadClassTag(pClassRefRequested, &nSchema, &nObTag);
  if (pClass == nullptr) {
    if (nObTag == kNullTag)
      return nullptr;
    if (nObTag > m_loadedObjects.size() || m_loadedObjects[nObTag - 1] == nullptr)
      ThrowArchive(CArchiveException::badIndex);
    CObject* pOb = m_loadedObjects[nObTag - 1];
    if (pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
      ThrowArchive(CArchiveException::badClass);
    return pOb;
  }
  CObject* pOb = pClass->CreateObject();
  if (pOb == nullptr)
    ThrowArchive(CArchiveException::badClass);
  std::size_t nSlot = m_loadedObjects.size();
  m_loadedObjects.push_back(pOb);
  UINT nSavedSchema = m_nObjectSchema;
  m_nObjectSchema = nSchema;
  try {
    pOb->Serialize(*this);
  } catch (...) {
    // The caller never sees a half-read object; nothing may refer to it later.
    m_loadedObjects[nSlot] = nullptr;
    delete pOb;
    throw;
  }
  m_nObjectSchema = nSavedSchema;
  return pOb;
}

CArchive& CArchive::operator<<(const CObject* pOb) {
  WriteObject(pOb);
  return *this;
}

CArchive& CArchive::operator>>(CObject*& pOb) {
  pOb = ReadObject(nullptr);
  return *this;
}

CArchive& CArchive::operator>>(const CObject*& pOb) {
  pOb = ReadObject(nullptr);
  return *this;
}
