// CFile's runtime calls on POSIX.
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include "framework/base/File.h"
#include "framework/base/FileRuntime.h"

namespace FileRuntime {

int Seek(std::FILE* fp, LONGLONG lOff, int nWhence) {
  return fseeko(fp, (off_t)lOff, nWhence);
}

LONGLONG Tell(std::FILE* fp) {
  return (LONGLONG)ftello(fp);
}

int Truncate(std::FILE* fp, ULONGLONG nLen) {
  return ftruncate(fileno(fp), (off_t)nLen);
}

bool IsDirectory(std::FILE* fp) {
  struct stat st;
  return fstat(fileno(fp), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PathExists(LPCSTR lpszPath) {
  struct stat st;
  return stat(lpszPath, &st) == 0;
}

std::FILE* Open(LPCSTR lpszFileName, const char* pszMode, UINT) {
  return std::fopen(lpszFileName, pszMode);
}

void ClearOpenError() {}

int OpenFailureCause(int nErrno) {
  return CFileException::ErrnoToException(nErrno);
}

}  // namespace FileRuntime
