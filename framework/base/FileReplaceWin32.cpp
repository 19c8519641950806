#include "framework/base/FileReplace.h"

#include "framework/base/WinTypes.h"

// The kernel calls of the portable file layer, declared here so that the
// layer needs no platform header.
extern "C" BOOL __stdcall MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);
extern "C" DWORD __stdcall GetFileAttributesA(LPCSTR lpFileName);

namespace {

const DWORD kInvalidAttributes = 0xFFFFFFFF;
const DWORD kReadOnly = 0x1;
const DWORD kDirectory = 0x10;

}  // namespace

bool IsReadOnlyFile(LPCSTR pszPath) {
  const DWORD attributes = GetFileAttributesA(pszPath);
  return attributes != kInvalidAttributes && (attributes & kDirectory) == 0 && (attributes & kReadOnly) != 0;
}

// The C runtime's rename refuses an existing target on Windows. A
// read-only target is refused here: Wine's MoveFileEx replaces one. The
// move goes through to the disk before the call returns.
bool MoveFileReplacing(LPCSTR pszFrom, LPCSTR pszTo) {
  if (IsReadOnlyFile(pszTo))
    return false;
  const DWORD kReplaceExisting = 0x1;
  const DWORD kWriteThrough = 0x8;
  return MoveFileExA(pszFrom, pszTo, kReplaceExisting | kWriteThrough) != FALSE;
}
