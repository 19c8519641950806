#include "framework/base/File.h"

#include <cerrno>
#include <cstdio>

#include "framework/base/FileRuntime.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

void FillError(CFileException* pError, int cause, LONG lOsError, LPCSTR lpszFileName) {
  if (pError == nullptr)
    return;
  pError->m_cause = cause;
  pError->m_lOsError = lOsError;
  pError->m_strFileName = lpszFileName;
}

}  // namespace

CFile::CFile() = default;

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) {
  CFileException error;
  if (!Open(lpszFileName, nOpenFlags, &error))
    AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() {
  Abort();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  Abort();
  m_strFileName = lpszFileName;
  m_nOpenFlags = nOpenFlags;
  m_lastOp = opNone;
  if (lpszFileName == nullptr || lpszFileName[0] == '\0') {
    FillError(pError, CFileException::badPath, -1, lpszFileName);
    return FALSE;
  }

  const UINT nAccess = nOpenFlags & 0x3;
  const bool bCreate = (nOpenFlags & modeCreate) != 0;
  const bool bKeep = (nOpenFlags & modeNoTruncate) != 0;
  std::FILE* fp = nullptr;
  errno = 0;
  FileRuntime::ClearOpenError();
  if (bCreate && !bKeep) {
    fp = FileRuntime::Open(lpszFileName, nAccess == modeWrite ? "wb" : "w+b", nOpenFlags);
  } else {
    // Existing files are never truncated here; the C library's "w" would.
    fp = FileRuntime::Open(lpszFileName, nAccess == modeRead ? "rb" : "r+b", nOpenFlags);
    if (fp == nullptr && bCreate && errno == ENOENT)
      fp = FileRuntime::Open(lpszFileName, nAccess == modeWrite ? "wb" : "w+b", nOpenFlags);
  }
  return TakeOpened(fp, lpszFileName, pError);
}

BOOL CFile::OpenNew(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  Abort();
  m_strFileName = lpszFileName;
  m_nOpenFlags = (nOpenFlags & ~0x3u) | modeWrite | modeCreate;
  m_lastOp = opNone;
  if (lpszFileName == nullptr || lpszFileName[0] == '\0') {
    FillError(pError, CFileException::badPath, -1, lpszFileName);
    return FALSE;
  }
  errno = 0;
  FileRuntime::ClearOpenError();
  return TakeOpened(FileRuntime::OpenNew(lpszFileName, nOpenFlags), lpszFileName, pError);
}

BOOL CFile::TakeOpened(std::FILE* fp, LPCSTR lpszFileName, CFileException* pError) {
  if (fp == nullptr) {
    int nErrno = errno != 0 ? errno : EACCES;
    FillError(pError, FileRuntime::OpenFailureCause(nErrno), nErrno, lpszFileName);
    return FALSE;
  }
  if (FileRuntime::IsDirectory(fp)) {
    std::fclose(fp);
    FillError(pError, CFileException::accessDenied, EISDIR, lpszFileName);
    return FALSE;
  }
  m_pStream = fp;
  return TRUE;
}

void CFile::CheckOpen() const {
  if (m_pStream == nullptr)
    AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
}

void CFile::ThrowLastError(int nFallbackCause) const {
  int nErrno = errno;
  if (m_pStream != nullptr)
    std::clearerr(m_pStream);
  if (nErrno != 0)
    CFileException::ThrowErrno(nErrno, m_strFileName);
  AfxThrowFileException(nFallbackCause, -1, m_strFileName);
}

void CFile::PrepareFor(bool bWrite) {
  LastOp op = bWrite ? opWrite : opRead;
  if (m_lastOp != opNone && m_lastOp != op)
    FileRuntime::Seek(m_pStream, 0, SEEK_CUR);
  m_lastOp = op;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  CheckOpen();
  if (nCount == 0)
    return 0;
  if ((m_nOpenFlags & 0x3) == modeWrite)
    AfxThrowFileException(CFileException::accessDenied, EBADF, m_strFileName);
  PrepareFor(false);
  errno = 0;
  std::size_t nRead = std::fread(lpBuf, 1, nCount, m_pStream);
  if (nRead < nCount && std::ferror(m_pStream))
    ThrowLastError(CFileException::hardIO);
  return (UINT)nRead;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  CheckOpen();
  if (nCount == 0)
    return;
  if ((m_nOpenFlags & 0x3) == modeRead)
    AfxThrowFileException(CFileException::accessDenied, EBADF, m_strFileName);
  PrepareFor(true);
  errno = 0;
  if (std::fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
    ThrowLastError(CFileException::diskFull);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  CheckOpen();
  int nWhence = nFrom == begin ? SEEK_SET : nFrom == end ? SEEK_END : SEEK_CUR;
  errno = 0;
  if (FileRuntime::Seek(m_pStream, lOff, nWhence) != 0)
    AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
  m_lastOp = opNone;
  return GetPosition();
}

ULONGLONG CFile::GetPosition() const {
  CheckOpen();
  LONGLONG pos = FileRuntime::Tell(m_pStream);
  if (pos < 0)
    AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
  return (ULONGLONG)pos;
}

ULONGLONG CFile::GetLength() const {
  CheckOpen();
  // Seeking flushes buffered writes, so the length includes them.
  LONGLONG pos = FileRuntime::Tell(m_pStream);
  if (pos < 0 || FileRuntime::Seek(m_pStream, 0, SEEK_END) != 0)
    AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
  LONGLONG len = FileRuntime::Tell(m_pStream);
  FileRuntime::Seek(m_pStream, pos, SEEK_SET);
  const_cast<CFile*>(this)->m_lastOp = opNone;
  if (len < 0)
    AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
  return (ULONGLONG)len;
}

void CFile::SetLength(ULONGLONG nNewLen) {
  CheckOpen();
  if ((m_nOpenFlags & 0x3) == modeRead)
    AfxThrowFileException(CFileException::accessDenied, EBADF, m_strFileName);
  errno = 0;
  LONGLONG pos = FileRuntime::Tell(m_pStream);
  if (std::fflush(m_pStream) != 0)
    ThrowLastError(CFileException::diskFull);
  if (FileRuntime::Truncate(m_pStream, nNewLen) != 0)
    ThrowLastError(CFileException::diskFull);
  // Drops whatever the stream had buffered from before the change.
  FileRuntime::Seek(m_pStream, pos, SEEK_SET);
  m_lastOp = opNone;
}

void CFile::Flush() {
  if (m_pStream == nullptr)
    return;
  errno = 0;
  if (std::fflush(m_pStream) != 0)
    ThrowLastError(CFileException::diskFull);
}

void CFile::Close() {
  if (m_pStream == nullptr)
    return;
  std::FILE* fp = m_pStream;
  m_pStream = nullptr;
  m_lastOp = opNone;
  errno = 0;
  // The buffer goes out first, on its own: Wine's C runtime loses the error
  // of the write that fclose makes, so that a full disk would pass unseen.
  const bool bFlushed = std::fflush(fp) == 0;
  const int nFlushErrno = errno;
  errno = 0;
  const bool bClosed = std::fclose(fp) == 0;
  if (!bFlushed || !bClosed) {
    int nErrno = !bFlushed ? nFlushErrno : errno;
    CFileException::ThrowErrno(nErrno != 0 ? nErrno : ENOSPC, m_strFileName);
  }
}

void CFile::Abort() {
  if (m_pStream == nullptr)
    return;
  std::fclose(m_pStream);
  m_pStream = nullptr;
  m_lastOp = opNone;
}

CString CFile::GetFileName() const {
  int n = m_strFileName.GetLength();
  int i = n;
  while (i > 0 && m_strFileName[i - 1] != '\\' && m_strFileName[i - 1] != '/' && m_strFileName[i - 1] != ':')
    --i;
  return m_strFileName.Mid(i);
}

void CFile::Remove(LPCSTR lpszFileName) {
  errno = 0;
  if (lpszFileName == nullptr || std::remove(lpszFileName) != 0)
    CFileException::ThrowErrno(errno != 0 ? errno : ENOENT, lpszFileName);
}

void CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName) {
  if (lpszOldName == nullptr || lpszNewName == nullptr)
    CFileException::ThrowErrno(ENOENT, lpszOldName);
  // Windows refuses to rename onto an existing file; the native build is made
  // to agree so that both behave the same.
  if (FileRuntime::PathExists(lpszNewName))
    CFileException::ThrowErrno(EEXIST, lpszNewName);
  errno = 0;
  if (std::rename(lpszOldName, lpszNewName) != 0)
    CFileException::ThrowErrno(errno != 0 ? errno : EACCES, lpszOldName);
}
