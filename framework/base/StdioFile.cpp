#include "framework/base/StdioFile.h"

#include <cerrno>
#include <cstdio>
#include <string>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags) {
  CFileException error;
  if (!Open(lpszFileName, nOpenFlags, &error))
    AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

int CStdioFile::GetChar() {
  int c = std::getc(m_pStream);
  if (c == '\r' && IsTextMode()) {
    int next = std::getc(m_pStream);
    if (next == '\n')
      return '\n';
    if (next != EOF)
      std::ungetc(next, m_pStream);
  }
  return c;
}

BOOL CStdioFile::ReadString(CString& rString) {
  CheckOpen();
  PrepareFor(false);
  errno = 0;
  std::string line;
  int c = GetChar();
  if (c == EOF) {
    if (std::ferror(m_pStream))
      ThrowLastError(CFileException::hardIO);
    rString.Empty();
    return FALSE;
  }
  while (c != EOF && c != '\n') {
    line += (char)c;
    c = GetChar();
  }
  if (c == EOF && std::ferror(m_pStream))
    ThrowLastError(CFileException::hardIO);
  rString = CString(line.data(), (int)line.size());
  return TRUE;
}

LPSTR CStdioFile::ReadString(LPSTR lpsz, UINT nMax) {
  CheckOpen();
  if (lpsz == nullptr || nMax == 0)
    return nullptr;
  PrepareFor(false);
  errno = 0;
  UINT n = 0;
  while (n + 1 < nMax) {
    int c = GetChar();
    if (c == EOF)
      break;
    lpsz[n++] = (char)c;
    if (c == '\n')
      break;
  }
  lpsz[n] = '\0';
  if (std::ferror(m_pStream))
    ThrowLastError(CFileException::hardIO);
  return n == 0 ? nullptr : lpsz;
}

void CStdioFile::WriteString(LPCSTR lpsz) {
  if (lpsz == nullptr)
    return;
  Write(lpsz, (UINT)std::char_traits<char>::length(lpsz));
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
  if (!IsTextMode())
    return CFile::Read(lpBuf, nCount);
  CheckOpen();
  if ((m_nOpenFlags & 0x3) == modeWrite)
    AfxThrowFileException(CFileException::accessDenied, EBADF, m_strFileName);
  PrepareFor(false);
  errno = 0;
  char* p = static_cast<char*>(lpBuf);
  UINT n = 0;
  while (n < nCount) {
    int c = GetChar();
    if (c == EOF)
      break;
    p[n++] = (char)c;
  }
  if (std::ferror(m_pStream))
    ThrowLastError(CFileException::hardIO);
  return n;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
  if (!IsTextMode()) {
    CFile::Write(lpBuf, nCount);
    return;
  }
  // Each "\n" goes out as CR LF; runs between line ends are written whole.
  const char* p = static_cast<const char*>(lpBuf);
  UINT start = 0;
  for (UINT i = 0; i < nCount; ++i) {
    if (p[i] != '\n')
      continue;
    CFile::Write(p + start, i - start);
    CFile::Write("\r\n", 2);
    start = i + 1;
  }
  CFile::Write(p + start, nCount - start);
}
