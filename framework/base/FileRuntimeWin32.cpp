// CFile's runtime calls on the Windows C runtime.
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <share.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>

#include "framework/base/File.h"
#include "framework/base/FileRuntime.h"

namespace FileRuntime {

int Seek(std::FILE* fp, LONGLONG lOff, int nWhence) {
  return fseeko64(fp, (off64_t)lOff, nWhence);
}

LONGLONG Tell(std::FILE* fp) {
  return (LONGLONG)ftello64(fp);
}

int Truncate(std::FILE* fp, ULONGLONG nLen) {
  return ftruncate64(_fileno(fp), (off64_t)nLen);
}

bool IsDirectory(std::FILE* fp) {
  struct _stat64 st;
  return _fstat64(_fileno(fp), &st) == 0 && (st.st_mode & _S_IFDIR) != 0;
}

bool PathExists(LPCSTR lpszPath) {
  struct _stat64 st;
  return _stat64(lpszPath, &st) == 0;
}

namespace {

int ShareMode(UINT nOpenFlags) {
  switch (nOpenFlags & 0x70) {
    case CFile::shareExclusive:
      return _SH_DENYRW;
    case CFile::shareDenyWrite:
      return _SH_DENYWR;
    case CFile::shareDenyRead:
      return _SH_DENYRD;
    default:
      return _SH_DENYNO;
  }
}

}  // namespace

std::FILE* Open(LPCSTR lpszFileName, const char* pszMode, UINT nOpenFlags) {
  return _fsopen(lpszFileName, pszMode, ShareMode(nOpenFlags));
}

std::FILE* OpenNew(LPCSTR lpszFileName, UINT nOpenFlags) {
  const int fd = _sopen(lpszFileName, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                        ShareMode(nOpenFlags), _S_IREAD | _S_IWRITE);
  if (fd < 0)
    return nullptr;
  std::FILE* fp = _fdopen(fd, "wb");
  if (fp == nullptr)
    _close(fd);
  return fp;
}

unsigned long ProcessId() {
  return (unsigned long)_getpid();
}

void ClearOpenError() {
  _doserrno = 0;
}

// errno says only "access denied" when another program holds the file; the
// system error beside it tells a sharing or lock conflict apart.
int OpenFailureCause(int nErrno) {
  const unsigned long kSharingViolation = 32;
  const unsigned long kLockViolation = 33;
  if (_doserrno == kSharingViolation)
    return CFileException::sharingViolation;
  if (_doserrno == kLockViolation)
    return CFileException::lockViolation;
  return CFileException::ErrnoToException(nErrno);
}

}  // namespace FileRuntime
