#include "framework/base/FileReplace.h"

#include <cstdio>

// POSIX rename replaces an existing target atomically.
bool MoveFileReplacing(const char* pszFrom, const char* pszTo) {
  return std::rename(pszFrom, pszTo) == 0;
}
