// CFile's runtime calls on POSIX.
#include <fcntl.h>
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

std::FILE* OpenNew(LPCSTR lpszFileName, UINT) {
  const int fd = ::open(lpszFileName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0)
    return nullptr;
  std::FILE* fp = ::fdopen(fd, "wb");
  if (fp == nullptr)
    ::close(fd);
  return fp;
}

unsigned long ProcessId() {
  return (unsigned long)::getpid();
}

void ClearOpenError() {}

int OpenFailureCause(int nErrno) {
  return CFileException::ErrnoToException(nErrno);
}

}  // namespace FileRuntime
