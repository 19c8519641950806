#include "framework/base/FileReplace.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// The C runtime's rename refuses an existing target on Windows; the write
// goes through to the disk before the call returns.
bool MoveFileReplacing(const char* pszFrom, const char* pszTo) {
  return ::MoveFileExA(pszFrom, pszTo, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
