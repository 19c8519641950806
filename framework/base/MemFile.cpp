#include "framework/base/MemFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() {
  FreeOwned();
}

void CMemFile::FreeOwned() {
  if (m_bOwned)
    std::free(m_lpBuffer);
  m_lpBuffer = nullptr;
  m_bOwned = false;
  m_nBufferSize = 0;
  m_nFileSize = 0;
  m_nPosition = 0;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  FreeOwned();
  m_lpBuffer = lpBuffer;
  m_nBufferSize = lpBuffer != nullptr ? nBufferSize : 0;
  m_nGrowBytes = nGrowBytes;
  m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
}

BYTE* CMemFile::Detach() {
  BYTE* p = m_lpBuffer;
  m_lpBuffer = nullptr;
  m_bOwned = false;
  m_nBufferSize = 0;
  m_nFileSize = 0;
  m_nPosition = 0;
  return p;
}

void CMemFile::GrowBuffer(std::size_t nNewSize) {
  if (nNewSize <= m_nBufferSize)
    return;
  if (m_nGrowBytes == 0)
    AfxThrowFileException(CFileException::diskFull, ENOSPC, m_strFileName);
  // Round up to a whole number of growth steps.
  std::size_t nSteps = (nNewSize + m_nGrowBytes - 1) / m_nGrowBytes;
  if (nSteps > std::numeric_limits<std::size_t>::max() / m_nGrowBytes)
    AfxThrowMemoryException();
  std::size_t nAlloc = nSteps * m_nGrowBytes;
  BYTE* p = nullptr;
  if (m_bOwned) {
    p = static_cast<BYTE*>(std::realloc(m_lpBuffer, nAlloc));
  } else {
    p = static_cast<BYTE*>(std::malloc(nAlloc));
    if (p != nullptr && m_nFileSize != 0)
      std::memcpy(p, m_lpBuffer, m_nFileSize);
  }
  if (p == nullptr)
    AfxThrowMemoryException();
  m_lpBuffer = p;
  m_nBufferSize = nAlloc;
  m_bOwned = true;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0 || m_nPosition >= m_nFileSize)
    return 0;
  std::size_t n = m_nFileSize - m_nPosition;
  if (n > nCount)
    n = nCount;
  std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
  m_nPosition += n;
  return (UINT)n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0)
    return;
  if (nCount > std::numeric_limits<std::size_t>::max() - m_nPosition)
    AfxThrowMemoryException();
  std::size_t nEnd = m_nPosition + nCount;
  GrowBuffer(nEnd);
  // A write after a seek past the end leaves zeros in the gap.
  if (m_nPosition > m_nFileSize)
    std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
  m_nPosition = nEnd;
  if (nEnd > m_nFileSize)
    m_nFileSize = nEnd;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
  LONGLONG base = nFrom == begin ? 0 : nFrom == end ? (LONGLONG)m_nFileSize : (LONGLONG)m_nPosition;
  const LONGLONG nMax = std::numeric_limits<LONGLONG>::max();
  if ((lOff < 0 && base + lOff < 0) || (lOff > 0 && lOff > nMax - base) ||
      (ULONGLONG)(base + lOff) > (ULONGLONG)std::numeric_limits<std::size_t>::max())
    AfxThrowFileException(CFileException::badSeek, EINVAL, m_strFileName);
  m_nPosition = (std::size_t)(base + lOff);
  return m_nPosition;
}

ULONGLONG CMemFile::GetPosition() const {
  return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const {
  return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG nNewLen) {
  if (nNewLen > (ULONGLONG)std::numeric_limits<std::size_t>::max())
    AfxThrowMemoryException();
  std::size_t n = (std::size_t)nNewLen;
  GrowBuffer(n);
  if (n > m_nFileSize)
    std::memset(m_lpBuffer + m_nFileSize, 0, n - m_nFileSize);
  m_nFileSize = n;
  if (m_nPosition > n)
    m_nPosition = n;
}

void CMemFile::Flush() {}

void CMemFile::Close() {
  FreeOwned();
}

void CMemFile::Abort() {
  FreeOwned();
}
