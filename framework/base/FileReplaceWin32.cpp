#include "framework/base/FileReplace.h"

#include "framework/base/WinTypes.h"

// The kernel calls of the portable file layer, declared here so that the
// layer needs no platform header.
extern "C" BOOL __stdcall MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);
extern "C" DWORD __stdcall GetFileAttributesA(LPCSTR lpFileName);

// The C runtime's rename refuses an existing target on Windows; the write
// goes through to the disk before the call returns. A read-only target is
// refused here too: not every system's MoveFileEx refuses it itself.
bool MoveFileReplacing(const char* pszFrom, const char* pszTo) {
  const DWORD kInvalidAttributes = 0xFFFFFFFF;
  const DWORD kReadOnly = 0x1;
  const DWORD attributes = GetFileAttributesA(pszTo);
  if (attributes != kInvalidAttributes && (attributes & kReadOnly) != 0)
    return false;
  const DWORD kReplaceExisting = 0x1;
  const DWORD kWriteThrough = 0x8;
  return MoveFileExA(pszFrom, pszTo, kReplaceExisting | kWriteThrough) != FALSE;
}
