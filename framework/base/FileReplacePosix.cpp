#include "framework/base/FileReplace.h"

#include <sys/stat.h>

#include <cstdio>

// POSIX rename replaces an existing target atomically, read-only or not;
// a file without write permission for its owner counts as read-only.
bool MoveFileReplacing(const char* pszFrom, const char* pszTo) {
  struct stat target;
  if (::stat(pszTo, &target) == 0 && (target.st_mode & S_IWUSR) == 0)
    return false;
  return std::rename(pszFrom, pszTo) == 0;
}
