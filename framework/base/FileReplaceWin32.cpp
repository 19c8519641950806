#include "framework/base/FileReplace.h"

#include "framework/base/WinTypes.h"

// The one kernel call of the portable file layer, declared here so that the
// layer needs no platform header.
extern "C" BOOL __stdcall MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);

// The C runtime's rename refuses an existing target on Windows; the write
// goes through to the disk before the call returns.
bool MoveFileReplacing(const char* pszFrom, const char* pszTo) {
  const DWORD kReplaceExisting = 0x1;
  const DWORD kWriteThrough = 0x8;
  return MoveFileExA(pszFrom, pszTo, kReplaceExisting | kWriteThrough) != FALSE;
}
