#include "framework/base/FileReplace.h"

#include <sys/stat.h>

#include <cstdio>

// A file without write permission for its owner counts as read-only; POSIX
// rename itself would replace it.
bool IsReadOnlyFile(LPCSTR pszPath) {
  struct stat target;
  return ::stat(pszPath, &target) == 0 && S_ISREG(target.st_mode) && (target.st_mode & S_IWUSR) == 0;
}

// rename replaces an existing target atomically; the new file takes the old
// one's permission bits first, so a private file stays private.
bool MoveFileReplacing(LPCSTR pszFrom, LPCSTR pszTo) {
  if (IsReadOnlyFile(pszTo))
    return false;
  struct stat target;
  if (::stat(pszTo, &target) == 0 && S_ISREG(target.st_mode))
    ::chmod(pszFrom, target.st_mode & 07777);
  return std::rename(pszFrom, pszTo) == 0;
}
